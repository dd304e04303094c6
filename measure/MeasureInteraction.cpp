// The click/move state machine of MeasureModel: how clicks place the points of
// a shape, how mouse movement previews it, and when it is stored.

#include <algorithm>
#include <string>

#include "measure/MeasureModel.h"
#include "measure/RQUtility.h"

namespace lumetra {
namespace {

// Angle between line a-b and line c-d, each coordinate truncated to an integer.
float angleOf(Point a, Point b, Point c, Point d) {
    return RQUtility::calcAngle(RQUtility::truncate(a.x), RQUtility::truncate(a.y),
                                RQUtility::truncate(b.x), RQUtility::truncate(b.y),
                                RQUtility::truncate(c.x), RQUtility::truncate(c.y),
                                RQUtility::truncate(d.x), RQUtility::truncate(d.y));
}

}  // namespace

void MeasureModel::mouseDown(Point location, bool control) {
    if (control) {
        // Only an unfinished continuous line or polygon takes a Control-click.
        if ((iMode == kModeContinuousLine && bCLine1stPoint && !bCLine2ndPoint) ||
            (iMode == kModePolygon && bPolygon1stPoint && !bPolygon2ndPoint)) {
            endVertexFigure(location);
        }
        return;
    }
    if (bLine1stPoint) {
        clickLine(location);
    } else if (bCLine1stPoint) {
        clickVertexFigure(location, false);
    } else if (!shapeInProgress()) {
        startShape(location);
    } else if (bPLine1stPoint) {
        clickParallelLines(location);
    } else if (bRCircle1stPoint || bDCircle1stPoint) {
        clickCircleByTwoPoints(location);
    } else if (bTCircle1stPoint) {
        clickCircleByThreePoints(location);
    } else if (bTAngle1stPoint) {
        clickAngleByThreePoints(location);
    } else if (bFAngle1stPoint) {
        clickAngleByFourPoints(location);
    } else if (bPolygon1stPoint) {
        clickVertexFigure(location, true);
    } else if (bText1stPoint) {
        clickText();
    }
}

void MeasureModel::startShape(Point l) {
    switch (iMode) {
        case kModeLine:
            pt1stPoint = pt2ndPoint = l;
            bLine1stPoint = true;
            // A completion mark left by an earlier reference line that was stored
            // before any redraw completed it must not complete this new line early.
            bCompletedCalibration = false;
            break;
        case kModeContinuousLine:
            pt1stPoint = pt2ndPoint = l;
            bCLine1stPoint = true;
            iCLineAuvariable = 2;
            break;
        case kModeParallelLines:
            pt1stPoint = l;
            bPLine1stPoint = true;
            break;
        case kModeCircleRadius:
            pt1stPoint = pt2ndPoint = l;
            bRCircle1stPoint = true;
            break;
        case kModeCircleDiameter:
            pt1stPoint = pt2ndPoint = l;
            bDCircle1stPoint = true;
            break;
        case kModeCircleThreePoints:
            pt1stPoint = l;
            bTCircle1stPoint = true;
            break;
        case kModeAngleThreePoints:
            pt1stPoint = l;
            bTAngle1stPoint = true;
            break;
        case kModeAngleFourPoints:
            pt1stPoint = l;
            bFAngle1stPoint = true;
            break;
        case kModePolygon:
            pt1stPoint = pt2ndPoint = l;
            bPolygon1stPoint = true;
            iCLineAuvariable = 2;
            break;
        case kModeText:
            // Picks up the typed text; an empty field starts nothing. Either way
            // the field is emptied and hidden.
            strTextValue = textField ? textField->stringValue : std::string();
            if (!strTextValue.empty()) {
                pt1stPoint = l;
                bText1stPoint = true;
            }
            if (textField) {
                textField->stringValue.clear();
                textField->hidden = true;
            }
            break;
        default:  // none, the unused 7 and unknown modes start nothing
            break;
    }
}

void MeasureModel::clickLine(Point l) {
    if (!bLine2ndPoint) {
        bLine2ndPoint = true;
        pt2ndPoint = l;
        bCompletedCalibration = true;
    } else {
        fData1 = RQUtility::distance(pt2ndPoint, pt1stPoint);
        storeShape(kModeLine);
    }
}

void MeasureModel::clickVertexFigure(Point l, bool polygon) {
    bool& ended = polygon ? bPolygon2ndPoint : bCLine2ndPoint;
    if (ended) {
        pt10thPoint = l;  // this click places the label
        if (!polygon) {
            fData1 = continuousLineLength();
        }
        storeShape(polygon ? kModePolygon : kModeContinuousLine);
        return;
    }
    int32_t& k = iCLineAuvariable;
    if (k >= 2 && k <= 9) {
        pt(k) = l;
    }
    ++k;
    if (k >= 10) {  // the ninth vertex ends the figure
        ended = true;
        if (polygon) {
            fData1 = polygonArea(9);
        }
    }
}

void MeasureModel::endVertexFigure(Point l) {
    if (iMode == kModePolygon) {
        bPolygon2ndPoint = true;
    } else {
        bCLine2ndPoint = true;
    }
    if (iCLineAuvariable >= 2 && iCLineAuvariable <= 9) {
        pt(iCLineAuvariable) = l;
    }
    pt10thPoint = l;
}

void MeasureModel::clickParallelLines(Point l) {
    if (!bPLine2ndPoint) {
        bPLine2ndPoint = true;
        pt2ndPoint = l;
    } else if (!bPLine3rdPoint) {
        bPLine3rdPoint = true;
        pt3rdPoint = l;
        pt4thPoint = RQUtility::perpendicular(pt3rdPoint, pt2ndPoint, pt1stPoint);
        fData1 = RQUtility::distance(pt3rdPoint, pt4thPoint);
    } else {
        storeShape(kModeParallelLines);
    }
}

void MeasureModel::clickCircleByTwoPoints(Point l) {
    const bool radius = bRCircle1stPoint;
    bool& second = radius ? bRCircle2ndPoint : bDCircle2ndPoint;
    if (!second) {
        second = true;
        pt2ndPoint = l;
    } else {
        fData1 = RQUtility::distance(pt2ndPoint, pt1stPoint);
        storeShape(radius ? kModeCircleRadius : kModeCircleDiameter);
    }
}

void MeasureModel::clickCircleByThreePoints(Point l) {
    if (!bTCircle2ndPoint) {
        bTCircle2ndPoint = true;
        pt2ndPoint = l;
    } else if (!bTCircle3thPoint) {
        bTCircle3thPoint = true;
        pt3rdPoint = l;
        updateThreePointCircle(l);
    } else {
        storeShape(kModeCircleThreePoints);
    }
}

void MeasureModel::clickAngleByThreePoints(Point l) {
    if (!bTAngle2ndPoint) {
        bTAngle2ndPoint = true;
        pt2ndPoint = l;
    } else if (!bTAngle3thPoint) {
        bTAngle3thPoint = true;
        pt3rdPoint = l;  // the vertex
        fData1 = angleOf(pt1stPoint, pt3rdPoint, pt3rdPoint, pt2ndPoint);
    } else {
        storeShape(kModeAngleThreePoints);
    }
}

void MeasureModel::clickAngleByFourPoints(Point l) {
    if (!bFAngle2ndPoint) {
        bFAngle2ndPoint = true;
        pt2ndPoint = l;
    } else if (!bFAngle3thPoint) {
        bFAngle3thPoint = true;
        pt3rdPoint = l;
    } else if (!bFAngle4thPoint) {
        bFAngle4thPoint = true;
        pt4thPoint = l;
        fData1 = angleOf(pt1stPoint, pt2ndPoint, pt4thPoint, pt3rdPoint);
    } else {
        storeShape(kModeAngleFourPoints);
    }
}

void MeasureModel::clickText() {
    storeShape(kModeText);  // at the position the last mouse move left
}

void MeasureModel::mouseMoved(Point location) {
    if (iMode == kModeContinuousLine) {
        if (bCLine1stPoint) {
            moveVertexFigure(location, false);
        }
    } else if (iMode == kModePolygon) {
        if (bPolygon1stPoint) {
            moveVertexFigure(location, true);
        }
    } else {
        moveShape(location);
    }
}

void MeasureModel::moveVertexFigure(Point m, bool polygon) {
    const bool ended = polygon ? bPolygon2ndPoint : bCLine2ndPoint;
    const int32_t k = iCLineAuvariable;
    if (!ended && k >= 2 && k <= 9) {
        pt(k) = m;
        if (!polygon) {
            auxVariable(k - 1) = RQUtility::distance(pt(k), pt(k - 1));
        } else if (k >= 3) {
            fData1 = polygonArea(k);
        }
    }
    pt10thPoint = m;  // the label follows the mouse, also after the end
    if (!polygon) {
        fData1 = AuxVariable1 + AuxVariable2 + AuxVariable3 + AuxVariable4 + AuxVariable5 +
                 AuxVariable6 + AuxVariable7 + AuxVariable8;
    }
}

void MeasureModel::moveShape(Point m) {
    switch (iMode) {
        case kModeLine:
            if (!bLine1stPoint) {
                return;
            }
            if (!bLine2ndPoint) {
                pt2ndPoint = m;
                fData1 = RQUtility::distance(pt2ndPoint, pt1stPoint);
            }
            pt3rdPoint = m;
            break;
        case kModeParallelLines:
            if (!bPLine1stPoint) {
                return;
            }
            if (!bPLine2ndPoint) {
                pt2ndPoint = m;
            } else if (!bPLine3rdPoint) {
                pt3rdPoint = m;
                pt4thPoint = RQUtility::perpendicular(m, pt2ndPoint, pt1stPoint);
                fData1 = RQUtility::distance(pt3rdPoint, pt4thPoint);
            }
            pt5thPoint = m;
            break;
        case kModeCircleRadius:
        case kModeCircleDiameter: {
            const bool started = iMode == kModeCircleRadius ? bRCircle1stPoint : bDCircle1stPoint;
            const bool second = iMode == kModeCircleRadius ? bRCircle2ndPoint : bDCircle2ndPoint;
            if (!started) {
                return;
            }
            if (!second) {
                pt2ndPoint = m;
                fData1 = RQUtility::distance(pt2ndPoint, pt1stPoint);
            }
            pt3rdPoint = m;
            break;
        }
        case kModeCircleThreePoints:
            if (!bTCircle1stPoint) {
                return;
            }
            if (bTCircle2ndPoint && !bTCircle3thPoint) {
                pt3rdPoint = m;
                updateThreePointCircle(m);
            }
            pt4thPoint = m;
            break;
        case kModeAngleThreePoints:
            if (!bTAngle1stPoint) {
                return;
            }
            if (!bTAngle2ndPoint) {
                pt2ndPoint = m;
            } else if (!bTAngle3thPoint) {
                pt3rdPoint = m;
                fData1 = angleOf(pt1stPoint, m, m, pt2ndPoint);
            }
            pt4thPoint = m;
            break;
        case kModeAngleFourPoints:
            if (!bFAngle1stPoint) {
                return;
            }
            if (!bFAngle2ndPoint) {
                pt2ndPoint = m;
            } else if (bFAngle3thPoint && !bFAngle4thPoint) {
                pt4thPoint = m;
                fData1 = angleOf(pt1stPoint, pt2ndPoint, m, pt3rdPoint);
            }
            pt5thPoint = m;
            break;
        case kModeText:
            if (bText1stPoint) {
                pt1stPoint = m;  // the text follows the mouse
            }
            break;
        default:
            break;
    }
}

float MeasureModel::polygonArea(int32_t count) {
    oMutPointArray.clear();
    for (int32_t i = 1; i <= count; ++i) {
        oMutPointArray.push_back(pt(i));
    }
    return static_cast<float>(RQUtility::intPolygonAreaCalc(oMutPointArray));
}

float MeasureModel::continuousLineLength() const {
    const int32_t last = std::min(iCLineAuvariable, int32_t{9});
    float sum = 0.0f;
    for (int32_t i = 2; i <= last; ++i) {
        sum += RQUtility::distance(pt(i), pt(i - 1));
    }
    return sum;
}

void MeasureModel::updateThreePointCircle(Point third) {
    const CircleRect circle = RQUtility::cocircle(pt1stPoint.x, pt1stPoint.y, pt2ndPoint.x,
                                                  pt2ndPoint.y, third.x, third.y);
    pt5thPoint = circle.origin;
    fData1 = static_cast<float>(circle.width);
}

}  // namespace lumetra
