#include "SyntheticPageSource.h"

#include "engine/core/Failure.h"
#include "engine/seam/SeamErrors.h"

#include <thread>

namespace velmora::testing {

namespace {

TextItem text(QRect box, const QString &value, double points = 9, bool bold = false,
              HorizontalAlignment alignment = HorizontalAlignment::Left, QRgb color = qRgb(0, 0, 0))
{
    TextItem item;
    item.box = box;
    item.baseline = int(box.height() * 0.78);
    item.text = value;
    item.font.pointSize = points;
    item.font.bold = bold;
    item.alignment = alignment;
    item.color = color;
    return item;
}

const QStringList customers{QStringLiteral("Ferreteria Puig"),  QStringLiteral("Cal Masover"),
                            QStringLiteral("Forn de Gràcia"),   QStringLiteral("Llibreria Ona"),
                            QStringLiteral("Mobles Serra"),     QStringLiteral("Tèxtil Vallès")};
const QStringList products{QStringLiteral("Cargols inox. 4 mm"), QStringLiteral("Pintura blanca 15 l"),
                           QStringLiteral("Tub de coure 22 mm"), QStringLiteral("Silicona neutra"),
                           QStringLiteral("Broca de widia 8 mm"), QStringLiteral("Guants de treball")};

} // namespace

SyntheticPageSource::SyntheticPageSource(SyntheticShape shape) : m_shape(std::move(shape)) {}

QString SyntheticPageSource::uniqueWordOf(int index) { return QStringLiteral("Albarà-%1").arg(7000 + index); }

void SyntheticPageSource::release()
{
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_released.notify_all();
}

void SyntheticPageSource::waitWhileHeld(int index, const CancelToken &cancel)
{
    if (m_shape.holdAtPage != index)
        return;
    std::unique_lock lock(m_mutex);
    while (m_held && !cancel.isCancelled())
        m_released.wait_for(lock, std::chrono::milliseconds(5));
}

int SyntheticPageSource::layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress)
{
    const int target = index < 0 ? m_shape.pages - 1 : std::min(index, m_shape.pages - 1);
    for (int next = pagesLaidOut(); next <= target; next = pagesLaidOut()) {
        waitWhileHeld(next, cancel);
        if (cancel.isCancelled())
            throw Failure(SeamErrors::Stopped, QStringLiteral("Aturat."));
        if (m_shape.failAtPage == next)
            throw Failure(failureNumber, QStringLiteral("No es pot llegir la taula Albarans."));
        if (m_shape.millisecondsPerPage > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_shape.millisecondsPerPage));
        {
            const std::lock_guard lock(m_mutex);
            ++m_laidOut;
        }
        if (progress)
            progress(Progress{qint64(next + 1) * recordsPerPage, next + 1, QStringLiteral("Paginant")});
    }
    return pagesLaidOut();
}

bool SyntheticPageSource::isComplete() const { return pagesLaidOut() >= m_shape.pages; }

int SyntheticPageSource::pagesLaidOut() const
{
    const std::lock_guard lock(m_mutex);
    return m_laidOut;
}

qint64 SyntheticPageSource::recordCount() const { return qint64(pagesLaidOut()) * recordsPerPage; }

std::vector<ContentsEntry> SyntheticPageSource::contentsUpTo(int pages) const
{
    std::vector<ContentsEntry> entries;
    for (int first = 0; first < pages; first += m_shape.pagesPerGroup) {
        const int group = first / m_shape.pagesPerGroup;
        entries.push_back({customers[group % customers.size()] + QStringLiteral(" (%1)").arg(group + 1), 0, first, 1800});
        entries.push_back({QStringLiteral("Comandes de %1").arg(2021 + group % 3), 1, first, 2100});
    }
    return entries;
}

std::vector<ContentsEntry> SyntheticPageSource::contents() const { return contentsUpTo(pagesLaidOut()); }

Page SyntheticPageSource::page(int index) const
{
    Page page;
    page.number = index + 1;
    const int left = 1134, right = page.size.width() - 1134, width = right - left;
    auto &items = page.items;
    items.emplace_back(text(QRect(left, 800, width, 480), m_shape.title, 16, true, HorizontalAlignment::Center, qRgb(0, 0, 128)));
    items.emplace_back(text(QRect(left, 1300, width, 260), QStringLiteral("Exercici 2023 · Imports en euros"), 9, false, HorizontalAlignment::Center));
    items.emplace_back(LineItem{QPoint(left, 1620), QPoint(right, 1620), 20, qRgb(0, 0, 0), LineStyle::Solid});
    const int group = index / m_shape.pagesPerGroup;
    BoxItem band{QRect(left, 1700, width, 330), 15, qRgb(90, 90, 140), true, qRgb(225, 230, 245), LineStyle::Solid};
    items.emplace_back(band);
    TextItem customer = text(QRect(left + 100, 1740, width / 2, 260), customers[group % customers.size()], 10, true);
    customer.link = m_shape.customerLink;
    items.emplace_back(customer);
    items.emplace_back(text(QRect(left + width / 2, 1740, width / 2 - 100, 260), uniqueWordOf(index), 10, true, HorizontalAlignment::Right));
    const int columns[] = {left, left + 1400, left + 5200, left + 6800};
    const QStringList headings{QStringLiteral("Data"), QStringLiteral("Producte"), QStringLiteral("Unitats"), QStringLiteral("Import")};
    for (int c = 0; c < 4; ++c) {
        const int w = (c < 3 ? columns[c + 1] : right) - columns[c];
        items.emplace_back(text(QRect(columns[c], 2150, w, 260), headings[c], 9, true, c >= 2 ? HorizontalAlignment::Right : HorizontalAlignment::Left));
    }
    items.emplace_back(LineItem{QPoint(left, 2440), QPoint(right, 2440), 10, qRgb(0, 0, 0), LineStyle::Dot});
    int y = 2520;
    double total = 0;
    for (int r = 0; r < recordsPerPage; ++r, y += 260) {
        const int record = index * recordsPerPage + r;
        const double amount = 12.5 + (record * 37 % 900) + (record % 7) * 0.35;
        total += amount;
        const QStringList cells{QStringLiteral("%1/%2/2023").arg(1 + record % 28, 2, 10, QLatin1Char('0')).arg(1 + record % 12, 2, 10, QLatin1Char('0')),
                                products[record % products.size()], QString::number(1 + record % 40),
                                QLocale(QLocale::Catalan).toString(amount, 'f', 2)};
        for (int c = 0; c < 4; ++c) {
            const int w = (c < 3 ? columns[c + 1] : right) - columns[c];
            items.emplace_back(text(QRect(columns[c], y, w, 240), cells[c], 9, false, c >= 2 ? HorizontalAlignment::Right : HorizontalAlignment::Left));
        }
    }
    items.emplace_back(LineItem{QPoint(columns[3], y + 40), QPoint(right, y + 40), 20, qRgb(0, 0, 0), LineStyle::Solid});
    items.emplace_back(text(QRect(columns[2], y + 100, right - columns[2], 260),
                            QStringLiteral("Total pàgina: %1").arg(QLocale(QLocale::Catalan).toString(total, 'f', 2)), 9, true, HorizontalAlignment::Right));
    items.emplace_back(text(QRect(left, y + 500, width, 240), QStringLiteral("https://www.example.org/comandes"), 8, false, HorizontalAlignment::Left, qRgb(0, 0, 200)));
    items.emplace_back(LineItem{QPoint(left, page.size.height() - 1000), QPoint(right, page.size.height() - 1000), 10, qRgb(128, 128, 128), LineStyle::Solid});
    items.emplace_back(text(QRect(left, page.size.height() - 950, width, 240), QStringLiteral("Pàgina %1").arg(index + 1), 8, false, HorizontalAlignment::Right));
    return page;
}

} // namespace velmora::testing
