#include "fuzzproperties.h"

#include "journal/journalformat.h"
#include "platform/paths.h"

// A record on disk decides what an undo renames, and anyone who can write to
// the data folder can write one. Whatever its bytes, reading it must not
// crash, and a record it trusts must name plain files in a whole folder
// path, so that an undo never reaches outside that folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const namlex::RecordedRun run = namlex::journalformat::parse(bytes);
    if (run.damaged)
        return 0;
    namlex::fuzz::require(!namlex::platform::cleanFolderPath(run.folder).isEmpty(),
                          "a trusted record's folder is a whole path");
    for (const namlex::RecordedRun::Entry &entry : run.entries) {
        namlex::fuzz::require(namlex::platform::isPlainFileName(entry.file.oldName)
                                  && namlex::platform::isPlainFileName(entry.file.newName),
                              "a trusted record names plain files");
    }
    return 0;
}
