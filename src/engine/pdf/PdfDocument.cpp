#include "engine/pdf/PdfDocument.h"

#include "engine/pdf/PdfLinkAnnotations.h"
#include "engine/pdf/PdfSyntax.h"

#include <QCryptographicHash>
#include <QDateTime>

namespace velmora::pdf {

namespace {

/// Pages hang from intermediate nodes of this many, so that a reader finds
/// page 15,000 without walking one array of 19,000 entries.
constexpr size_t pagesPerNode = 64;

QSize paperOf(const Page &page)
{
    return page.size.isValid() && !page.size.isEmpty() ? page.size : Page().size;
}

QByteArray pagesNode(int parent, const std::vector<int> &kids, size_t count)
{
    QByteArray node("<< /Type /Pages");
    if (parent > 0) {
        node.append(" /Parent ");
        appendReference(node, parent);
    }
    node.append(" /Kids [");
    for (int kid : kids) {
        appendReference(node, kid);
        node.append(' ');
    }
    node.append("] /Count ");
    appendInteger(node, qint64(count));
    node.append(" >>");
    return node;
}

} // namespace

PdfDocument::PdfDocument(PdfObjectWriter::Sink sink, Settings settings)
    : m_settings(std::move(settings)),
      m_writer(std::move(sink), m_settings.version),
      m_fonts(m_writer),
      m_images(m_writer),
      m_content(m_fonts, m_images),
      m_pageTreeRoot(m_writer.reserve()),
      m_resources(m_writer.reserve())
{
}

int PdfDocument::pageTreeNodeForNextPage()
{
    if (m_pages.size() % pagesPerNode == 0)
        m_pageTreeNodes.push_back(m_writer.reserve());
    return m_pageTreeNodes.back();
}

void PdfDocument::addPage(const Page &page)
{
    const QSize paper = paperOf(page);
    const QByteArray &content = m_content.build(page, paper.height());
    const int contentObject = m_writer.reserve();
    m_writer.writeStream(contentObject, {}, content);

    const int parent = pageTreeNodeForNextPage();
    const int pageObject = m_writer.reserve();
    QByteArray dictionary("<< /Type /Page /Parent ");
    appendReference(dictionary, parent);
    dictionary.append(" /MediaBox [0 0 ");
    appendHundredths(dictionary, qint64(paper.width()) * 5);
    dictionary.append(' ');
    appendHundredths(dictionary, qint64(paper.height()) * 5);
    dictionary.append("] /Resources ");
    appendReference(dictionary, m_resources);
    dictionary.append(" /Contents ");
    appendReference(dictionary, contentObject);
    dictionary.append(writeLinkAnnotations(m_writer, page, paper.height()));
    dictionary.append(" >>");
    m_writer.writeObject(pageObject, dictionary);
    m_pages.push_back(PageTarget{pageObject, paper.height()});
}

void PdfDocument::writePageTree()
{
    for (size_t node = 0; node < m_pageTreeNodes.size(); ++node) {
        const size_t first = node * pagesPerNode;
        const size_t last = std::min(m_pages.size(), first + pagesPerNode);
        std::vector<int> kids;
        for (size_t page = first; page < last; ++page)
            kids.push_back(m_pages[page].objectNumber);
        m_writer.writeObject(m_pageTreeNodes[node], pagesNode(m_pageTreeRoot, kids, last - first));
    }
    m_writer.writeObject(m_pageTreeRoot, pagesNode(0, m_pageTreeNodes, m_pages.size()));
}

int PdfDocument::writeInformation()
{
    QByteArray info("<<");
    if (!m_settings.title.isEmpty()) {
        info.append(" /Title ");
        info.append(textString(m_settings.title));
    }
    info.append(" /Creator ");
    info.append(textString(m_settings.creator));
    info.append(" /Producer ");
    info.append(textString(m_settings.creator));
    info.append(" /CreationDate ");
    info.append(textString(QDateTime::currentDateTimeUtc().toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'"))));
    info.append(" >>");
    const int number = m_writer.reserve();
    m_writer.writeObject(number, info);
    return number;
}

QByteArray PdfDocument::fileIdentifier() const
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(m_settings.title.toUtf8());
    hash.addData(QByteArray::number(QDateTime::currentMSecsSinceEpoch()));
    hash.addData(QByteArray::number(qint64(m_pages.size())));
    return hash.result();
}

void PdfDocument::finish(const std::vector<ContentsEntry> &contents)
{
    if (m_pages.empty())
        addPage(Page());
    m_fonts.writeAll();
    QByteArray resources("<< /ProcSet [/PDF /Text /ImageC] /Font << ");
    resources.append(m_fonts.resourceEntries());
    resources.append(">> /XObject << ");
    resources.append(m_images.resourceEntries());
    resources.append(">> >>");
    m_writer.writeObject(m_resources, resources);
    writePageTree();

    const int outline = m_settings.outline ? PdfOutline::write(m_writer, contents, m_pages) : 0;
    QByteArray catalog("<< /Type /Catalog /Pages ");
    appendReference(catalog, m_pageTreeRoot);
    if (outline > 0) {
        catalog.append(" /Outlines ");
        appendReference(catalog, outline);
        catalog.append(" /PageMode /UseOutlines");
    }
    catalog.append(" >>");
    const int catalogObject = m_writer.reserve();
    m_writer.writeObject(catalogObject, catalog);
    m_writer.finish(catalogObject, writeInformation(), fileIdentifier());
}

} // namespace velmora::pdf
