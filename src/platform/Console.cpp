#include "platform/Console.h"

#include <QString>
#include <utility>

namespace bis {

QStringList ProgramArguments(int argc, const char *const *argv) {
    if (std::optional<QStringList> arguments = SystemArguments()) {
        return *std::move(arguments);
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

}  // namespace bis
