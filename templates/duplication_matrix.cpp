#include "templates/duplication_matrix.h"

#include "base/contact_distance.h"
#include "base/containers.h"
#include "base/log.h"
#include "templates/shape_output.h"
#include "templates/template_parameters.h"

namespace kvd {

bool MatrixApplied = false;
bool MatrixTooLarge = false;
Real48 HorizontalContactDistance;
Real48 VerticalContactDistance;

namespace {

// Bits 0, 2 and 4 of the kind's low byte clear: the element is marked as
// belonging to a copy.
constexpr std::uint16_t kUnmarkedKindBits = 0x15;

std::int32_t AtLeastOne(std::int32_t count) { return count < 1 ? 1 : count; }

// The engine's selection is left empty however the measuring ends.
struct SelectionReset {
    ContourSelection& selection;
    ~SelectionReset() { selection.Clear(); }
};

}  // namespace

bool PrepareMatrix() {
    const MatrixSettings& m = WorkingMatrix;
    HorizontalContactDistance = 0.0L;
    VerticalContactDistance = 0.0L;
    MatrixTooLarge = false;
    TTempElement* head = FirstContainerElements();
    if (!head) return false;

    const long double hInc = m.HorizontalIncrement, vInc = m.VerticalIncrement;
    {
        ContourSelection& selection = EngineSelection();
        SelectionReset reset{selection};
        selection.Clear();
        selection.SelectAll(head);
        if (m.Columns > 1 && m.HorizontalFromContact)
            HorizontalContactDistance = ContactDistance(selection, hInc >= 0 ? 0 : 180);
        if (m.Rows > 1 && m.VerticalFromContact)
            VerticalContactDistance = ContactDistance(selection, vInc >= 0 ? 90 : 270);
    }

    const bool across = (hInc != 0 || m.HorizontalFromContact) && m.Columns > 1;
    const bool down = (vInc != 0 || m.VerticalFromContact) && m.Rows > 1;
    if (!across && !down) return false;

    const auto elements = static_cast<std::int64_t>(ElementCount(head));
    if (MatrixPieceCount() > kMaxMatrixElements / elements) {
        MatrixTooLarge = true;
        WriteLog("PrepareMatrix: " + MatrixButtonCaption() + " copies of " + std::to_string(elements) +
                 " elements would exceed " + std::to_string(kMaxMatrixElements) +
                 " elements; the matrix is not applied");
        return false;
    }
    return true;
}

void DuplicateMatrix() {
    const MatrixSettings& m = WorkingMatrix;
    TTempElement* first = FirstContainerElements();
    if (!first) return;
    TTempElement* last = FirstContainer->ElementsTail;

    const long double pitchX = m.HorizontalIncrement.ToLongDouble() + HorizontalContactDistance.ToLongDouble();
    const long double pitchY = m.VerticalIncrement.ToLongDouble() + VerticalContactDistance.ToLongDouble();
    const std::int32_t columns = AtLeastOne(m.Columns), rows = AtLeastOne(m.Rows);
    for (std::int32_t i = 1; i <= columns; ++i) {
        for (std::int32_t j = 1; j <= rows; ++j) {
            if (i == 1 && j == 1) continue;
            const long double dx = pitchX * (i - 1), dy = pitchY * (j - 1);
            for (TTempElement* e = first;; e = e->Next) {
                CurrentElement = *e;
                if ((CurrentElement.Kind & kUnmarkedKindBits) == 0) CurrentElement.Flags |= kFlagMatrixCopy;
                CurrentElement.X = CurrentElement.X.ToLongDouble() + dx;
                CurrentElement.Y = CurrentElement.Y.ToLongDouble() - dy;
                AddShapeElement();
                if (e == last) break;
            }
        }
    }
}

std::int64_t MatrixPieceCount() {
    return static_cast<std::int64_t>(AtLeastOne(WorkingMatrix.Columns)) * AtLeastOne(WorkingMatrix.Rows);
}

std::string MatrixButtonCaption() {
    return std::to_string(WorkingMatrix.Columns) + "x" + std::to_string(WorkingMatrix.Rows);
}

}  // namespace kvd
