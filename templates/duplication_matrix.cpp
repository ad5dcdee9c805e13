#include "templates/duplication_matrix.h"

#include "templates/template_parameters.h"

namespace kvd {

bool MatrixApplied = false;

// The grid of copies is not built yet: no matrix ever applies.
bool PrepareMatrix() { return false; }
void DuplicateMatrix() {}

std::string MatrixButtonCaption() {
    return std::to_string(WorkingMatrix.Columns) + "x" + std::to_string(WorkingMatrix.Rows);
}

}  // namespace kvd
