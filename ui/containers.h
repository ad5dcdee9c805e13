// Controls that hold other controls: group box, panel (which can also host
// the OpenGL view), page control and its tab sheets.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

class QGroupBox;
class QFrame;
class QTabWidget;
class QOpenGLWidget;

namespace kvd::ui {

class Picture;

class GroupBox : public Control {
public:
    GroupBox(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "GroupBox"; }
    std::string Caption() const override;
    void SetCaption(const std::string& text) override;

private:
    QGroupBox* box_;
};

// The functions of a hosted OpenGL view; the context is current when they run.
struct OpenGLHooks {
    std::function<void()> initialize;
    std::function<void(int width, int height)> resize;
    std::function<void()> paint;
};

// Whether the platform can show OpenGL views (not on the offscreen platform).
bool OpenGLViewsAvailable();

enum class Bevel { None, Lowered, Raised };

// A panel shows its caption centred. Mouse events of a hosted OpenGL view
// are the panel's own.
class Panel : public Control {
public:
    Panel(Form* owner, std::string name, Control* parent);
    ~Panel() override;
    const char* ClassName() const override { return "Panel"; }
    void SetCaption(const std::string& text) override;
    void SetBevel(Bevel outer);
    // Fills the panel with an OpenGL view (OpenGL 1.x compatibility profile).
    // Without OpenGL on the platform nothing is hosted (HostsOpenGL stays
    // false): off-screen rendering then goes through a context of its own.
    void HostOpenGL(OpenGLHooks hooks);
    bool HostsOpenGL() const { return gl_ != nullptr; }
    // Asks the hosted view to repaint.
    void UpdateOpenGL();
    // Renders the hosted view into a picture of its size.
    Picture GrabOpenGL();

private:
    QFrame* frame_;
    QOpenGLWidget* gl_ = nullptr;
};

class PageControl;

class TabSheet : public Control {
public:
    TabSheet(Form* owner, std::string name, Control* parent);
    ~TabSheet() override;
    const char* ClassName() const override { return "TabSheet"; }
    std::string Caption() const override { return Control::Caption(); }
    void SetCaption(const std::string& text) override;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool on);
    PageControl& Pages() const { return *pages_; }
    int PageIndex() const;
    void SetBounds(int, int, int, int) override {}  // the page control places its sheets

private:
    PageControl* pages_;
    bool tabVisible_ = true;
};

// OnChange fires when a person (or the script) changes the page, not when
// the code sets ActivePage.
class PageControl : public Control {
public:
    PageControl(Form* owner, std::string name, Control* parent);
    const char* ClassName() const override { return "PageControl"; }
    int PageCount() const { return static_cast<int>(sheets_.size()); }
    TabSheet* Page(int index) const;
    TabSheet* ActivePage() const;
    void SetActivePage(TabSheet* sheet);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // A person's choice of a tab: the page, then OnChange.
    void Choose(TabSheet* sheet);

    std::function<void()> OnChange;

private:
    friend class TabSheet;
    void AddSheet(TabSheet* sheet);
    void RemoveSheet(TabSheet* sheet);
    void SyncTab(TabSheet* sheet);
    QTabWidget* tabs_;
    std::vector<TabSheet*> sheets_;
    bool updating_ = false;
};

}  // namespace kvd::ui
