// TMatriceForm, "Matrice di duplicazione": columns and rows of the grid of
// copies and the pitch in each direction, plain or from the position where
// two copies touch ("Dal contatto"). The two small buttons put the cut width
// of "Tagli rettilinei" into the increment beside them.
#pragma once
#include "templates/template_parameters.h"
#include "ui/form.h"

namespace kvd {

class TMatriceForm : public ui::Form {
public:
    TMatriceForm();

    // Fills the controls from the settings (the show handler does it from
    // WorkingMatrix).
    void ShowSettings(const MatrixSettings& m);
    // What the controls say: counts as whole numbers, increments as decimal
    // text with "."; text that is not a number counts as 0.
    MatrixSettings ReadSettings() const;

private:
    void FormShow();
    void PutCutWidth(const char* edit);
};

}  // namespace kvd
