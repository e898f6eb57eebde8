#pragma once

#include <QString>
#include <memory>
#include <vector>

class TPRCanvas;
class TPRPage;

// A rectangle relative to the page, y growing downwards as in the templates.
struct TPRBounds {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Everything that sits in a report page tree: a name, a box relative to the parent, and the
// children in the order they were added (which is the order they are painted in).
class TPRControl {
  public:
    TPRControl(int width, int height) : Width(width), Height(height) {}
    virtual ~TPRControl();
    TPRControl(const TPRControl&) = delete;
    TPRControl& operator=(const TPRControl&) = delete;

    QString Name;
    int Left = 0;
    int Top = 0;
    int Width;
    int Height;

    virtual QString ClassName() const = 0;
    TPRControl* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<TPRControl>>& Children() const { return children_; }
    // The page this control belongs to; null while it hangs in no page.
    TPRPage* Page();

    // Takes the child under the placement rules of its class; throws pdf::Exception when
    // it may not sit here.
    template <class T>
    T* Add(std::unique_ptr<T> child) {
        T* added = child.get();
        Adopt(std::move(child));
        return added;
    }

  protected:
    // Nothing may sit on a bare control; panels and pages widen this.
    virtual void CheckChild(const TPRControl& child) const;

  private:
    void Adopt(std::unique_ptr<TPRControl> child);

    TPRControl* parent_ = nullptr;
    std::vector<std::unique_ptr<TPRControl>> children_;
};
