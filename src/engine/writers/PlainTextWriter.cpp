#include "engine/writers/PlainTextWriter.h"

#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/BaselineRows.h"
#include "engine/writers/ChartTables.h"
#include "engine/writers/PageStream.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

int gridColumn(double twips)
{
    return int(std::lround(twips / PlainTextWriter::twipsPerColumn));
}

std::u32string printableCharacters(const QString &text)
{
    std::u32string characters;
    characters.reserve(size_t(text.size()));
    for (char32_t c : text.toStdU32String())
        characters.push_back(c < 0x20 || (c >= 0x7f && c < 0xa0) ? U' ' : c);
    return characters;
}

int wantedStart(const TextItem &item, int width)
{
    switch (item.alignment) {
    case HorizontalAlignment::Right:
        return gridColumn(item.box.right() + 1) - width;
    case HorizontalAlignment::Center:
        return gridColumn(item.box.left() + item.box.width() / 2.0) - width / 2;
    case HorizontalAlignment::Left:
    case HorizontalAlignment::Justify:
        break;
    }
    return gridColumn(item.box.left());
}

QString lineText(const BaselineRows::Row &row)
{
    std::u32string line;
    for (const TextItem *item : row.items) {
        const std::u32string characters = printableCharacters(item->text);
        const int width = int(characters.size());
        const int firstFree = line.empty() ? 0 : int(line.size()) + 1;
        const int start = std::max({wantedStart(*item, width), firstFree, 0});
        line.resize(size_t(start), U' ');
        line += characters;
    }
    while (!line.empty() && line.back() == U' ')
        line.pop_back();
    return QString::fromStdU32String(line);
}

} // namespace

QStringList PlainTextWriter::pageLines(const Page &drawn)
{
    const std::optional<Page> tabulated = pageWithChartTables(drawn);
    const Page &page = tabulated ? *tabulated : drawn;
    QStringList lines;
    for (const BaselineRows::Row &row : BaselineRows::of(page)) {
        const int wanted = std::max(0, int(row.baseline / twipsPerLine));
        const int lineIndex = std::max(wanted, int(lines.size()));
        while (lines.size() < lineIndex)
            lines.append(QString());
        lines.append(lineText(row));
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void PlainTextWriter::write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
                            const ProgressCallback &progress) const
{
    PageStream::forEachPage(pages, cancel, progress, [&](const Page &page, int index) {
        QByteArray bytes;
        if (index > 0)
            bytes += '\f';
        for (const QString &line : pageLines(page)) {
            bytes += line.toUtf8();
            bytes += '\n';
        }
        file.write(bytes);
    });
}

} // namespace velmora
