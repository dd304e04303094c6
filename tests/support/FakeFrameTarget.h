#pragma once
// A window stand-in for the display rule: it applies the rule to every frame it is
// shown and records what the view, the layout and the recorder saw.

#include <utility>
#include <vector>

#include "policy/FrameRouting.h"

namespace lumetra::test {

class FakeFrameTarget : public FrameTarget {
public:
    ViewFacts facts;

    std::vector<FrameRoute> routes;
    std::vector<FrameMarks> marks;
    std::vector<Frame> layerFrames;
    std::vector<Frame> imageFrames;
    std::vector<Frame> recorded;
    std::vector<std::pair<int, int>> layouts;
    Frame shown;  // what the view shows now

    size_t frames() const { return routes.size(); }

    void show(const Frame& frame, const FrameMarks& m) {
        marks.push_back(m);
        routes.push_back(displayFrame(*this, frame, m));
    }

    ViewFacts viewFacts() const override { return facts; }
    void setWindowArea() override {
        facts.iVideoWidth = facts.iNewVideoWidth;
        facts.iVideoHeight = facts.iNewVideoHeight;
        layouts.emplace_back(facts.iVideoWidth, facts.iVideoHeight);
    }
    void setLayerContents(const Frame& frame) override {
        layerFrames.push_back(frame);
        shown = frame;
        facts.redrawing = false;
    }
    void setImage(const Frame& frame) override {
        imageFrames.push_back(frame);
        shown = frame;
        facts.redrawing = true;
    }
    void recordingVideo(const Frame& frame) override { recorded.push_back(frame); }
};

}  // namespace lumetra::test
