#pragma once

#include <QString>

namespace bis {

// How an operation of the platform went: the kind of failure, None when it worked, and for the
// kinds that need one, the system's own description.
template <typename KindOfFailure>
struct Failure {
    using Kind = KindOfFailure;

    Kind kind = Kind::None;
    QString description;

    [[nodiscard]] bool ok() const { return kind == Kind::None; }
};

}  // namespace bis
