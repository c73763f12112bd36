#include "handset/TestFormController.h"

namespace mevara {

TestFormController::TestFormController() : StandInScreen("Add Test") {}

void TestFormController::setEditingTest(std::shared_ptr<Test> test) {
    editingTest_ = std::move(test);
    setTitle(editingTest_ ? "Edit Test" : "Add Test");
}

} // namespace mevara
