#pragma once

#include "handset/StandInScreen.h"

#include <memory>

namespace mevara {

class Test;

// The form that adds or edits a test (a stand-in until the form is built).
class TestFormController : public StandInScreen {
public:
    TestFormController();
    std::string className() const override { return "TestFormController"; }

    const std::shared_ptr<Test>& editingTest() const { return editingTest_; }
    void setEditingTest(std::shared_ptr<Test> test);

private:
    std::shared_ptr<Test> editingTest_;
};

} // namespace mevara
