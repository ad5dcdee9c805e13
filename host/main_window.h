// The main window of kvdhost: the current drawing, and menu commands that
// call the libraries' exports.
#pragma once
#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

#include "host/drawing_view.h"

class QMenu;

namespace kvdhost {

class MainWindow : public QMainWindow {
public:
    MainWindow();

    DrawingView* view() const { return view_; }
    void ShowDrawing(std::vector<kvd::TTempElement> elements, const QString& title);
    // Adds a command to a menu ("&File", "&Drawing" ...); its errors are shown in a message box.
    void AddCommand(const QString& menu, const QString& text, std::function<void()> run,
                    const QKeySequence& shortcut = {});
    void Report(const QString& text);

private:
    QMenu* Menu(const QString& title);
    DrawingView* view_;
};

}  // namespace kvdhost
