#pragma once

#include <QtGlobal>

namespace namlex::test {

// While it lives, no write of this process takes a file beyond `bytes`, as
// on a full disk: the system refuses such a write, or the part of it past
// the limit (EFBIG). Needs no privileges and touches no mount.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    quint64 previous_ = 0;
};

} // namespace namlex::test
