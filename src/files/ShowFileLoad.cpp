#include "files/ShowFileLoad.h"

#include <string>

namespace bis {

ShowFileLoad LoadShowFile(FileSystem &fileSystem, const QString &path, ShowRecord &show) {
    ShowFileLoad load;
    if (path.isEmpty() || !fileSystem.exists(path)) {
        load.file = {FileFailure::Kind::NotFound, {}};
        return load;
    }
    std::string bytes;
    load.file = fileSystem.readAll(path, bytes);
    if (load.file.ok()) {
        load.show = ReadShowFile(bytes, show);
    }
    return load;
}

}  // namespace bis
