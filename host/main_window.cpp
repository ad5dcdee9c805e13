#include "host/main_window.h"

#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include <exception>

#include "host/drawing_geometry.h"

namespace kvdhost {

MainWindow::MainWindow() : view_(new DrawingView(this)) {
    setWindowTitle("kvdhost");
    setCentralWidget(view_);
    resize(1000, 700);
    for (const char* m : {"&File", "&Drawing", "&Options", "&View"}) Menu(m);
    AddCommand("&View", "Zoom to &fit", [this] { view_->ZoomToFit(); }, QKeySequence("F"));
    statusBar()->showMessage("No drawing");
}

QMenu* MainWindow::Menu(const QString& title) {
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->text() == title) return a->menu();
    return menuBar()->addMenu(title);
}

void MainWindow::AddCommand(const QString& menu, const QString& text, std::function<void()> run,
                            const QKeySequence& shortcut) {
    QAction* a = Menu(menu)->addAction(text);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, [this, run, text] {
        try {
            run();
        } catch (const std::exception& e) {
            QMessageBox::warning(this, "kvdhost", QString(text).remove('&') + ": " + QString::fromUtf8(e.what()));
        }
    });
}

void MainWindow::ShowDrawing(std::vector<kvd::TTempElement> elements, const QString& title) {
    std::size_t contours = ContourPaths(elements).size();
    std::size_t n = elements.size();
    view_->SetDrawing(std::move(elements));
    setWindowTitle("kvdhost — " + title);
    statusBar()->showMessage(QString("%1: %2 elements, %3 contours").arg(title).arg(n).arg(contours));
}

void MainWindow::Report(const QString& text) { statusBar()->showMessage(text); }

}  // namespace kvdhost
