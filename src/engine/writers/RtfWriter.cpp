#include "engine/writers/RtfWriter.h"

#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/PageStream.h"
#include "engine/writers/RtfPageBody.h"
#include "engine/writers/RtfStyleTables.h"
#include "engine/writers/RtfText.h"
#include "engine/writers/SpoolFile.h"

namespace velmora {

namespace {

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

QSize paperSize(const Page &page)
{
    return page.size.isValid() && !page.size.isEmpty() ? page.size : Page().size;
}

QByteArray sectionStart(const Page &page)
{
    const QSize size = paperSize(page);
    QByteArray section = "\\sectd\\pgwsxn" + number(size.width()) + "\\pghsxn" + number(size.height())
        + "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0";
    if (size.width() > size.height())
        section += "\\lndscpsxn";
    return section + '\n';
}

QByteArray documentHead(const QString &title, const RtfStyleTables &tables, QSize paper)
{
    QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n" + tables.fontTable() + tables.colorTable();
    head += "{\\info";
    if (!title.isEmpty())
        head += "{\\title " + RtfText::escaped(title) + '}';
    head += "{\\doccomm Velmora}}\n";
    head += "\\paperw" + number(paper.width()) + "\\paperh" + number(paper.height())
        + "\\margl0\\margr0\\margt0\\margb0\n";
    return head;
}

} // namespace

RtfWriter::RtfWriter(QString title) : m_title(std::move(title)) {}

void RtfWriter::write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
                      const ProgressCallback &progress) const
{
    RtfStyleTables tables;
    RtfPageBody pageBody(tables);
    SpoolFile body;
    QSize firstPaper = Page().size;
    PageStream::forEachPage(pages, cancel, progress, [&](const Page &page, int index) {
        if (index == 0)
            firstPaper = paperSize(page);
        const QByteArray section = (index > 0 ? QByteArray("\\sect") : QByteArray())
            + sectionStart(page) + pageBody.of(page);
        body.write(section);
    });
    file.write(documentHead(m_title, tables, firstPaper));
    body.copyTo(file);
    file.write("}\n");
}

} // namespace velmora
