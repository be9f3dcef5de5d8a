#include "assessment.h"

namespace tavo {

bool unsaved_changes(const SavingState& saving, const TypedFields& current) {
    if (!saving.data_saved) {
        return true;
    }
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (current[i] != saving.saved_fields[i]) {
            return true;
        }
    }
    return false;
}

void wipe_test_data(TestData& data) {
    data = TestData{};
}

} // namespace tavo
