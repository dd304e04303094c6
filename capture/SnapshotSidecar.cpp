#include "capture/SnapshotSidecar.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>

#include "measure/MeasurementPass.h"
#include "measure/results/ResultsTable.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

// Keys stay in the order written, so the file reads top-down (version first).
using json = nlohmann::ordered_json;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxFrameSide = 65535;

constexpr std::array<const char*, 6> kQuantityNames{"length",        "radius", "diameter",
                                                    "circumference", "area",   "angle"};

const char* quantityName(Quantity q) { return kQuantityNames[static_cast<size_t>(q)]; }

json pointJson(const Point& p) { return p.isSet() ? json::array({p.x, p.y}) : json(nullptr); }

// number: the row number in the results table, or a mark's running number in its class.
json shapeJson(const RQShape& shape, int number, const CalibrationValues& cal) {
    const ToolSpec* tool = findTool(shape.type);
    json points = json::array();
    for (int k = 1; k <= (tool ? tool->pointSlots : 0); ++k)
        points.push_back(pointJson(shape.pt(k)));
    json values = json::array();
    for (const MeasuredValue& v : measurementValues(shape.type, shape.fData1, cal)) {
        values.push_back({{"quantity", quantityName(v.quantity)},
                          {"value", v.value},
                          {"unit", quantityUnit(v.quantity, cal.strUnit)},
                          {"text", formatFixed(shape.iDecimal, v.value)}});
    }
    json out = {{"number", number},
                {"type", shape.type},
                {"tool", tool ? tool->name : ""},
                {"points", std::move(points)},
                {"rawValue", shape.fData1},
                {"decimals", shape.iDecimal},
                {"values", std::move(values)}};
    if (tool && tool->label == LabelKind::Text) out["text"] = shape.textValue;
    if (isMark(shape)) out["class"] = shape.markClass;
    return out;
}

json countsJson(std::span<const RQShape> shapes, const CountClassNames& names) {
    json counts = json::array();
    const ClassCounts perClass = countsPerClass(shapes);
    for (size_t c = 0; c < perClass.size(); ++c) {
        if (perClass[c] > 0)
            counts.push_back({{"class", c + 1}, {"name", names[c]}, {"count", perClass[c]}});
    }
    return counts;
}

// A number field; null stands for a value that was not a finite number.
double numberOr(const json& object, const char* key, double fallback) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) return fallback;
    if (!it->is_number()) throw std::invalid_argument(key);
    return it->get<double>();
}

// A float field: magnitudes beyond float's range read as infinities.
float floatOr(const json& object, const char* key, double fallback) {
    const double v = numberOr(object, key, fallback);
    if (std::abs(v) > std::numeric_limits<float>::max())
        return static_cast<float>(std::copysign(std::numeric_limits<double>::infinity(), v));
    return static_cast<float>(v);
}

int intIn(const json& object, const char* key, int low, int high) {
    const json& v = object.at(key);
    if (!v.is_number_integer()) throw std::invalid_argument(key);
    const auto n = v.get<int64_t>();
    if (n < low || n > high) throw std::invalid_argument(key);
    return static_cast<int>(n);
}

Point pointFrom(const json& p) {
    if (p.is_null()) return {};
    if (!p.is_array() || p.size() != 2 || !p[0].is_number() || !p[1].is_number())
        throw std::invalid_argument("point");
    return {p[0].get<double>(), p[1].get<double>()};
}

RQShape shapeFrom(const json& j) {
    RQShape shape;
    shape.type = static_cast<uint8_t>(intIn(j, "type", 0, 255));
    const ToolSpec* tool = findTool(shape.type);
    if (!tool) throw std::invalid_argument("type");
    const json& points = j.at("points");
    if (!points.is_array() || points.size() > static_cast<size_t>(tool->pointSlots))
        throw std::invalid_argument("points");
    for (size_t k = 0; k < points.size(); ++k)
        shape.pt(static_cast<int>(k) + 1) = pointFrom(points[k]);
    shape.fData1 = floatOr(j, "rawValue", kNaN);
    shape.iDecimal = static_cast<uint8_t>(intIn(j, "decimals", 0, 255));
    if (const auto text = j.find("text"); text != j.end())
        shape.textValue = text->get<std::string>();
    if (isMark(shape)) shape.markClass = static_cast<uint8_t>(intIn(j, "class", 1, kCountClasses));
    return shape;
}

std::string formatScale(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", value);
    return buf;
}

}  // namespace

SnapshotRecord snapshotRecord(const MeasureModel& model, int frameWidth, int frameHeight,
                              bool withShapes) {
    SnapshotRecord record;
    record.frameWidth = frameWidth;
    record.frameHeight = frameHeight;
    record.viewWidth = model.viewWidth;
    record.viewHeight = model.viewHeight;
    record.calibrationName = calibrationNameOf(model);
    record.calibration = calibrationOf(model);
    record.countClassNames = model.countClassNames;
    if (withShapes) record.shapes = model.oMutShapsArray;
    return record;
}

std::string sidecarJson(const SnapshotRecord& record) {
    const CalibrationValues& cal = record.calibration;
    json shapes = json::array();
    const std::vector<int> marks = markNumbers(record.shapes);
    int measurements = 0;
    for (size_t i = 0; i < record.shapes.size(); ++i) {
        const RQShape& shape = record.shapes[i];
        shapes.push_back(shapeJson(shape, isMark(shape) ? marks[i] : ++measurements, cal));
    }
    const json doc = {
        {"version", kSidecarVersion},
        {"frame", {{"width", record.frameWidth}, {"height", record.frameHeight}}},
        {"view", {{"width", record.viewWidth}, {"height", record.viewHeight}}},
        {"calibration",
         {{"name", record.calibrationName},
          {"magnification", cal.fScale},
          {"unit", cal.strUnit},
          {"unitLength", cal.fUnitLength}}},
        {"shapes", std::move(shapes)},
        {"counts", countsJson(record.shapes, record.countClassNames)},
    };
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::optional<SnapshotRecord> parseSidecar(std::string_view text) {
    try {
        const json doc = json::parse(text);
        intIn(doc, "version", kSidecarVersion, kSidecarVersion);  // other versions are refused
        SnapshotRecord record;
        const json& frame = doc.at("frame");
        record.frameWidth = intIn(frame, "width", 0, kMaxFrameSide);
        record.frameHeight = intIn(frame, "height", 0, kMaxFrameSide);
        const json& view = doc.at("view");
        record.viewWidth = numberOr(view, "width", kNaN);
        record.viewHeight = numberOr(view, "height", kNaN);
        const json& cal = doc.at("calibration");
        record.calibrationName = cal.at("name").get<std::string>();
        record.calibration.fScale = floatOr(cal, "magnification", kNaN);
        record.calibration.fUnitLength = floatOr(cal, "unitLength", kNaN);
        record.calibration.strUnit = cal.at("unit").get<std::string>();
        const json& shapes = doc.at("shapes");
        if (!shapes.is_array()) return std::nullopt;
        for (const json& shape : shapes) record.shapes.push_back(shapeFrom(shape));
        return record;
    } catch (const std::exception&) {
        // nlohmann's parse, type and range errors and the checks above.
        return std::nullopt;
    }
}

std::string snapshotComment(const SnapshotRecord& record) {
    std::string comment = "Calibration: " + record.calibrationName;
    if (record.frameWidth <= 0 || record.frameHeight <= 0) return comment;
    const double unitsPerViewPixel = lengthInUnits(1.0f, record.calibration);
    const double horizontal = unitsPerViewPixel * record.viewWidth / record.frameWidth;
    const double vertical = unitsPerViewPixel * record.viewHeight / record.frameHeight;
    if (!std::isfinite(horizontal) || horizontal <= 0.0) return comment;
    const std::string perPixel = " " + record.calibration.strUnit + "/pixel";
    comment += "; scale: " + formatScale(horizontal) + perPixel;
    // A picture stretched unevenly from the view has a scale of its own per axis.
    if (std::isfinite(vertical) && std::abs(vertical / horizontal - 1.0) > 1e-3)
        comment += " horizontally, " + formatScale(vertical) + perPixel + " vertically";
    return comment;
}

}  // namespace lumetra
