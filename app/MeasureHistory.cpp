#include "app/MeasureHistory.h"

#include <utility>

namespace lumetra {
namespace {

// A step between two states of one kind; the stack's first redo, on pushing it,
// finds the after state already in place.
template <typename State>
class Step : public QUndoCommand {
public:
    using Apply = std::function<void(const State&)>;
    Step(State before, State after, Apply apply, bool& replaying)
        : before_(std::move(before)),
          after_(std::move(after)),
          apply_(std::move(apply)),
          replaying_(replaying) {}

    void undo() override { replay(before_); }
    void redo() override {
        if (pushed_) replay(after_);
        pushed_ = true;
    }

private:
    void replay(const State& state) {
        replaying_ = true;
        apply_(state);
        replaying_ = false;
    }

    State before_, after_;
    Apply apply_;
    bool& replaying_;
    bool pushed_ = false;
};

}  // namespace

MeasureHistory::MeasureHistory(Target target) : target_(std::move(target)) {}

MeasureHistory::~MeasureHistory() = default;

void MeasureHistory::recordShapes(std::vector<RQShape> before, std::vector<RQShape> after) {
    if (replaying_ || before == after) return;
    stack_.push(new Step<std::vector<RQShape>>(std::move(before), std::move(after),
                                               target_.restoreShapes, replaying_));
}

void MeasureHistory::recordRelabel(std::string before, std::string after) {
    if (replaying_ || before == after) return;
    stack_.push(new Step<std::string>(std::move(before), std::move(after),
                                      target_.chooseCalibration, replaying_));
}

bool MeasureHistory::undo() {
    if (!stack_.canUndo()) return false;
    stack_.undo();
    return true;
}

bool MeasureHistory::redo() {
    if (!stack_.canRedo()) return false;
    stack_.redo();
    return true;
}

}  // namespace lumetra
