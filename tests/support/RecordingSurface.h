#pragma once
// A drawing surface that draws nothing and remembers every call, so tests can
// check what shapes, labels and overlays would put on the screen.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "measure/DrawingSurface.h"

namespace lumetra::test {

// One piece of a path: a polyline started by moveTo (closed when closePath
// followed), or a full circle.
struct PathPiece {
    enum class Kind { Polyline, Circle };
    Kind kind = Kind::Polyline;
    std::vector<Point> points;  // polyline vertices
    bool closed = false;
    Point centre;  // circle
    double radius = 0.0;

    bool isCircle() const { return kind == Kind::Circle; }
};

struct RecordedStroke {
    std::vector<PathPiece> pieces;
    double lineWidth = 0.0;
    RgbColor color;
};

struct RecordedText {
    std::string text;
    Point origin;
    std::string fontFamily;
    double fontSize = 0.0;
    RgbColor color;
};

struct RecordedImage {
    int frameWidth = 0;
    int frameHeight = 0;
    RectF rect;
};

class RecordingSurface : public DrawingSurface {
public:
    void beginPath() override {
        calls_.push_back("beginPath");
        path_.clear();
    }
    void moveTo(Point p) override {
        calls_.push_back("moveTo");
        path_.push_back(polyline({p}));
    }
    void lineTo(Point p) override {
        calls_.push_back("lineTo");
        if (path_.empty() || path_.back().isCircle() || path_.back().closed) {
            path_.push_back(polyline({}));
        }
        path_.back().points.push_back(p);
    }
    void addCircle(Point centre, double radius) override {
        calls_.push_back("addCircle");
        PathPiece piece;
        piece.kind = PathPiece::Kind::Circle;
        piece.closed = true;
        piece.centre = centre;
        piece.radius = radius;
        path_.push_back(piece);
    }
    void closePath() override {
        calls_.push_back("closePath");
        if (!path_.empty()) path_.back().closed = true;
    }
    void stroke() override {
        calls_.push_back("stroke");
        strokes_.push_back({std::move(path_), lineWidth_, color_});
        path_.clear();
    }
    void setLineWidth(double width) override {
        calls_.push_back("setLineWidth");
        lineWidth_ = width;
    }
    void setStrokeColor(RgbColor color) override {
        calls_.push_back("setStrokeColor");
        color_ = color;
    }
    void fillRect(RectF, RgbColor, double) override { calls_.push_back("fillRect"); }
    void drawText(const std::string& utf8, Point origin, const std::string& fontFamily,
                  double fontSize, RgbColor color) override {
        calls_.push_back("drawText");
        texts_.push_back({utf8, origin, fontFamily, fontSize, color});
    }
    void drawImage(const Frame& frame, RectF rect) override {
        calls_.push_back("drawImage");
        images_.push_back({frame.width, frame.height, rect});
    }
    void save() override {
        calls_.push_back("save");
        stack_.push_back({path_, lineWidth_, color_});
    }
    void restore() override {
        calls_.push_back("restore");
        if (stack_.empty()) return;
        path_ = std::move(stack_.back().path);
        lineWidth_ = stack_.back().lineWidth;
        color_ = stack_.back().color;
        stack_.pop_back();
    }

    // Every call by name, in order ("moveTo", "stroke", "drawText", ...).
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<RecordedStroke>& strokes() const { return strokes_; }
    const std::vector<RecordedText>& texts() const { return texts_; }
    const std::vector<RecordedImage>& images() const { return images_; }

    // Just the strings drawn, in order.
    std::vector<std::string> textStrings() const {
        std::vector<std::string> out;
        for (const RecordedText& t : texts_) out.push_back(t.text);
        return out;
    }

    // The strings drawn, in order, joined by single blanks.
    std::string labels() const {
        std::string out;
        for (const RecordedText& t : texts_) out += (out.empty() ? "" : " ") + t.text;
        return out;
    }

    // The stroked outlines in short: strokes apart by " | ", pieces by " ", a
    // polyline as its vertices "(x,y)" with "z" when closed, a circle "O(x,y)rR".
    std::string outline() const {
        std::string out;
        for (const RecordedStroke& stroke : strokes_) {
            if (!out.empty()) out += " | ";
            for (size_t i = 0; i < stroke.pieces.size(); ++i) {
                const PathPiece& piece = stroke.pieces[i];
                if (i > 0) out += ' ';
                if (piece.isCircle()) {
                    out += 'O' + point(piece.centre) + 'r' + number(piece.radius);
                    continue;
                }
                for (const Point& p : piece.points) out += point(p);
                if (piece.closed) out += 'z';
            }
        }
        return out;
    }

private:
    static std::string number(double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return buf;
    }
    static std::string point(Point p) { return '(' + number(p.x) + ',' + number(p.y) + ')'; }

    struct State {
        std::vector<PathPiece> path;
        double lineWidth;
        RgbColor color;
    };

    static PathPiece polyline(std::vector<Point> points) {
        PathPiece piece;
        piece.points = std::move(points);
        return piece;
    }

    std::vector<std::string> calls_;
    std::vector<RecordedStroke> strokes_;
    std::vector<RecordedText> texts_;
    std::vector<RecordedImage> images_;
    std::vector<PathPiece> path_;
    double lineWidth_ = 1.0;
    RgbColor color_;
    std::vector<State> stack_;
};

}  // namespace lumetra::test
