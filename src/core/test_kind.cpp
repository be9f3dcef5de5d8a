#include "test_kind.h"

namespace tavo {

QString test_name(TestKind kind) {
    switch (kind) {
    case TestKind::activation:
        return QStringLiteral("Activation");
    case TestKind::release:
        return QStringLiteral("Release");
    case TestKind::repetition:
        break;
    }
    return QStringLiteral("Repetition");
}

const char* test_key(TestKind kind) {
    switch (kind) {
    case TestKind::activation:
        return "activation";
    case TestKind::release:
        return "release";
    case TestKind::repetition:
        break;
    }
    return "repetition";
}

} // namespace tavo
