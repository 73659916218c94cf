#include "link/header_file.h"

#include "link/block.h"
#include "platform/record_file.h"

namespace tarvelon {

bool HeaderFile::read(int k, HeaderRecord& record) const
{
    RecordFile file(path_, HeaderRecord::kLength);
    std::string bytes;
    if (!file.read(k, bytes))
        return false;
    record = HeaderRecord::fromBytes(bytes);
    return true;
}

bool HeaderFile::write(int k, const HeaderRecord& record) const
{
    RecordFile file(path_, HeaderRecord::kLength);
    return file.write(k, record.bytes());
}

bool HeaderFile::writeDefaults() const
{
    RecordFile file(path_, HeaderRecord::kLength);
    bool ok = file.isOpen();
    for (int k = 1; k <= kBlockCount; ++k)
        ok = file.write(k, defaultHeader(k).bytes()) && ok;
    return ok;
}

} // namespace tarvelon
