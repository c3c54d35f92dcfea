#include "engine/data/LibmdbPageStream.h"

#include "engine/data/PageReader.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>

namespace velmora::LibmdbPageStream {

namespace {

struct Cursor {
    PageReader *pages;
    off64_t position = 0;
    QByteArray page;

    off64_t size() const { return off64_t(pages->pageCount()) * pages->pageSize(); }
};

// libmdb is C: nothing may be thrown through it.
ssize_t readPages(void *cookie, char *into, size_t wanted)
{
    auto *cursor = static_cast<Cursor *>(cookie);
    const int pageSize = cursor->pages->pageSize();
    size_t done = 0;
    try {
        while (done < wanted && cursor->position < cursor->size()) {
            const auto page = quint32(cursor->position / pageSize);
            const auto offset = int(cursor->position % pageSize);
            cursor->pages->read(page, cursor->page);
            const size_t part = qMin(wanted - done, size_t(pageSize - offset));
            std::memcpy(into + done, cursor->page.constData() + offset, part);
            done += part;
            cursor->position += off64_t(part);
        }
    } catch (...) {
        if (done == 0) {
            errno = EIO;
            return -1;
        }
    }
    return ssize_t(done);
}

int seekPages(void *cookie, off64_t *offset, int whence)
{
    auto *cursor = static_cast<Cursor *>(cookie);
    const off64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? cursor->position : cursor->size();
    if (*offset < -base) {
        errno = EINVAL;
        return -1;
    }
    cursor->position = base + *offset;
    *offset = cursor->position;
    return 0;
}

int closePages(void *cookie)
{
    delete static_cast<Cursor *>(cookie);
    return 0;
}

} // namespace

std::FILE *open(PageReader &pages)
{
    auto *cursor = new Cursor{&pages};
    cookie_io_functions_t functions{readPages, nullptr, seekPages, closePages};
    std::FILE *stream = fopencookie(cursor, "r", functions);
    if (!stream) {
        delete cursor;
        return nullptr;
    }
    // libmdb asks for whole pages at page offsets; a stdio buffer in front
    // would only copy them once more.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return stream;
}

} // namespace velmora::LibmdbPageStream
