#include "ui/containers.h"

#include <QFrame>
#include <QGroupBox>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <QTabWidget>

#include "kvd/error.h"
#include "ui/hooked_widget.h"
#include "ui/picture.h"
#include "ui/ui_log.h"

namespace kvd::ui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

class OpenGLView : public QOpenGLWidget {
public:
    explicit OpenGLView(OpenGLHooks hooks, QWidget* parent) : QOpenGLWidget(parent), hooks_(std::move(hooks)) {
        QSurfaceFormat f = format();
        f.setRenderableType(QSurfaceFormat::OpenGL);
        f.setProfile(QSurfaceFormat::CompatibilityProfile);
        f.setDepthBufferSize(24);
        setFormat(f);
    }

protected:
    void initializeGL() override {
        if (hooks_.initialize) hooks_.initialize();
    }
    void resizeGL(int w, int h) override {
        if (hooks_.resize) hooks_.resize(w, h);
    }
    void paintGL() override {
        if (hooks_.paint) hooks_.paint();
    }

private:
    OpenGLHooks hooks_;
};
}  // namespace

// ---- GroupBox

GroupBox::GroupBox(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QGroupBox()), box_(static_cast<QGroupBox*>(Widget())) {
    SetClickFromMouse(true);
}

std::string GroupBox::Caption() const { return box_->title().toStdString(); }
void GroupBox::SetCaption(const std::string& text) { box_->setTitle(Q(text)); }

// ---- Panel

Panel::Panel(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new Hooked<QFrame>()), frame_(static_cast<QFrame*>(Widget())) {
    auto* h = static_cast<Hooked<QFrame>*>(frame_);
    h->onPaint = [this](QPainter& p, QPaintEvent*) {
        if (gl_ || Caption().empty()) return;
        p.setPen(frame_->palette().color(QPalette::WindowText));
        p.drawText(frame_->rect(), Qt::AlignCenter, Q(Caption()));
    };
    h->onResize = [this] {
        if (gl_) gl_->setGeometry(frame_->contentsRect());
    };
    SetBevel(Bevel::Raised);
    SetClickFromMouse(true);
}

Panel::~Panel() = default;

void Panel::SetCaption(const std::string& text) {
    Control::SetCaption(text);
    frame_->update();
}

void Panel::SetBevel(Bevel outer) {
    switch (outer) {
    case Bevel::None: frame_->setFrameStyle(QFrame::NoFrame); break;
    case Bevel::Lowered: frame_->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case Bevel::Raised: frame_->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    }
    if (gl_) gl_->setGeometry(frame_->contentsRect());
}

bool OpenGLViewsAvailable() {
    // An OpenGL widget on a platform without OpenGL (offscreen) takes the
    // whole window down when it is painted: ask once whether a context can be made.
    static const bool available = [] {
        QOpenGLContext probe;
        return probe.create();
    }();
    return available;
}

void Panel::HostOpenGL(OpenGLHooks hooks) {
    if (!OpenGLViewsAvailable()) {
        LogLine("Panel " + Name() + ": no OpenGL on this platform, the view is not shown");
        return;
    }
    delete gl_;
    gl_ = new OpenGLView(std::move(hooks), frame_);
    gl_->setGeometry(frame_->contentsRect());
    gl_->show();
    WatchWidget(gl_);
}

void Panel::UpdateOpenGL() {
    if (gl_) gl_->update();
}

Picture Panel::GrabOpenGL() {
    if (!gl_) throw Error("panel " + Name() + " hosts no OpenGL view");
    Picture pic;
    pic.Assign(gl_->grabFramebuffer());
    return pic;
}

// ---- TabSheet

TabSheet::TabSheet(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QWidget()), pages_(dynamic_cast<PageControl*>(parent)) {
    if (!pages_) throw Error("the tab sheet " + Name() + " needs a page control as its parent");
    pages_->AddSheet(this);
}

TabSheet::~TabSheet() { pages_->RemoveSheet(this); }

void TabSheet::SetCaption(const std::string& text) {
    Control::SetCaption(text);
    pages_->SyncTab(this);
}

void TabSheet::SetTabVisible(bool on) {
    tabVisible_ = on;
    pages_->SyncTab(this);
}

int TabSheet::PageIndex() const {
    for (int i = 0; i < pages_->PageCount(); ++i)
        if (pages_->Page(i) == this) return i;
    return -1;
}

// ---- PageControl

PageControl::PageControl(Form* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent, new QTabWidget()), tabs_(static_cast<QTabWidget*>(Widget())) {
    QObject::connect(tabs_, &QTabWidget::currentChanged, [this](int) {
        if (!updating_ && OnChange) OnChange();
    });
}

void PageControl::AddSheet(TabSheet* sheet) {
    updating_ = true;
    sheets_.push_back(sheet);
    tabs_->addTab(sheet->Widget(), Q(sheet->Caption()));
    updating_ = false;
}

// A sheet that goes away is no change of page by a person.
void PageControl::RemoveSheet(TabSheet* sheet) {
    updating_ = true;
    int i = sheet->PageIndex();
    if (i >= 0) {
        if (Widget() && sheet->Widget()) tabs_->removeTab(i);
        sheets_.erase(sheets_.begin() + i);
    }
    updating_ = false;
}

void PageControl::SyncTab(TabSheet* sheet) {
    int i = sheet->PageIndex();
    if (i < 0) return;
    updating_ = true;
    tabs_->setTabText(i, Q(sheet->Caption()));
    tabs_->setTabVisible(i, sheet->TabVisible());
    updating_ = false;
}

TabSheet* PageControl::Page(int index) const {
    return index >= 0 && index < PageCount() ? sheets_[static_cast<std::size_t>(index)] : nullptr;
}

TabSheet* PageControl::ActivePage() const { return Page(tabs_->currentIndex()); }
int PageControl::ActivePageIndex() const { return tabs_->currentIndex(); }

void PageControl::SetActivePage(TabSheet* sheet) {
    if (!sheet) return;
    SetActivePageIndex(sheet->PageIndex());
}

void PageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount()) return;
    updating_ = true;
    tabs_->setCurrentIndex(index);
    updating_ = false;
}

void PageControl::Choose(TabSheet* sheet) {
    TabSheet* before = ActivePage();
    SetActivePage(sheet);
    if (ActivePage() != before && OnChange) OnChange();
}

}  // namespace kvd::ui
