#pragma once
// The measuring view's steps, to undo and redo: adding a shape, moving a point,
// deleting and clearing, and the relabelling that choosing another calibration
// causes. A step keeps the stored shapes before and after it (or the names of
// the calibrations), so undoing and redoing give back exactly the values they
// held. Qt's undo stack keeps the steps; the model stays without the toolkit.

#include <QUndoStack>
#include <functional>
#include <string>
#include <vector>

#include "measure/RQShape.h"

namespace lumetra {

class MeasureHistory {
public:
    struct Target {
        // Puts the shapes in place of the stored ones.
        std::function<void(const std::vector<RQShape>&)> restoreShapes;
        // Brings the calibration of that name back into force.
        std::function<void(const std::string&)> chooseCalibration;
    };

    explicit MeasureHistory(Target target);
    ~MeasureHistory();

    // A step that changed the stored shapes; nothing when they are equal, or while
    // a step is undone or redone (its own changes are no new step).
    void recordShapes(std::vector<RQShape> before, std::vector<RQShape> after);
    // Choosing the calibration `after` relabelled the stored shapes read in `before`.
    void recordRelabel(std::string before, std::string after);

    // The newest step undone, or the step undone last redone; false when there is none.
    bool undo();
    bool redo();
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    // True while a step is undone or redone.
    bool replaying() const { return replaying_; }

private:
    Target target_;
    QUndoStack stack_;
    bool replaying_ = false;
};

}  // namespace lumetra
