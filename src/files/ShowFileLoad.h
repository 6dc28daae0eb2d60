#pragma once

#include <QString>

#include "app/ShowRecord.h"
#include "files/ShowFile.h"
#include "platform/FileSystem.h"

namespace bis {

// What reading the show file at a path came to: first the file system's part, then the reader's.
struct ShowFileLoad {
    // How reading the file went; NotFound for an empty path or a file that does not exist.
    FileFailure file;
    // What the reader made of the bytes; meaningful only when file.ok().
    ShowFileReadResult show;

    [[nodiscard]] bool ok() const { return file.ok() && show.ok(); }
};

// Reads the show file at the path into the record, as Recall Existing Report and the command
// line both read one. On any failure the record is left exactly as it was.
[[nodiscard]] ShowFileLoad LoadShowFile(FileSystem &fileSystem, const QString &path,
                                        ShowRecord &show);

}  // namespace bis
