// Base of Kolo's own controls (the TVM family): a self-drawn child window with
// its state in plain fields, painting double-buffered, and the events the forms
// hook up as std::function members.
//
// Hints: every control carries a hint text whose first letter is its kind
// ("S" plain, "B" plain without the program name, "C" a colour, "D" shown while
// dragging). Hints are never tooltips. The control under the pointer publishes
// its hint as the application hint (platform/win/hints.h): on entering it, when
// its hint changes while it owns the application hint, and "" when the pointer
// leaves it. A control with an empty hint passes on its parent control's hint.
// The main window listens with win::SetHintHandler and writes the text into its
// title strip.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/messages.h"
#include "color/color.h"
#include "platform/win/handles.h"
#include "platform/win/ui_scale.h"
#include "platform/win/window.h"
#include "widgets/action.h"
#include "widgets/geometry.h"
#include "widgets/layout.h"

namespace kolo {

// The controls' font unless one is set: Tahoma 8 pt.
HFONT DefaultWidgetFont();

class Widget;
using NotifyEvent = std::function<void(Widget& sender)>;
// `shift` holds ShiftFlags (app/input.h): keys and buttons held, ssDouble on a double click.
using MouseEvent = std::function<void(Widget& sender, MouseButton button, unsigned shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Widget& sender, unsigned shift, int x, int y)>;
using WheelEvent = std::function<void(Widget& sender, int delta)>;
using KeyEvent = std::function<void(Widget& sender, WORD& key, unsigned shift)>;
// sender, source (lParam of the message), X and Y relative to the window's top
// left on the screen, state (0 enter, 1 leave, 2 move or drop).
using ColorDragEvent = std::function<void(Widget& sender, LPARAM source, int x, int y, int state)>;

class Widget : public win::Window {
 public:
  Widget();
  ~Widget() override;

  // Creates the window as a child of `parent`. Properties set before creation
  // are applied here.
  bool Create(HWND parent, int x, int y, int width, int height);
  bool Create(Widget& parent, int x, int y, int width, int height) {
    return Create(parent.Handle(), x, y, width, height);
  }

  // The factor the control is drawn at (platform/win/ui_scale.h): the
  // program's, or 1 inside a window that keeps the screen's own pixels.
  int Scale() const { return devicePixels_ ? 1 : win::UiScale(); }
  // The client area in logical pixels.
  RECT ClientRect() const;

  // Position in the parent's client area.
  IntRect Bounds() const { return bounds_; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  void SetBounds(int x, int y, int width, int height);
  void SetSize(int width, int height) { SetBounds(bounds_.left, bounds_.top, width, height); }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool on);
  TColor EffectiveColor() const;  // own colour, or the parent's with ParentColor

  HFONT Font() const { return font_ ? font_ : DefaultWidgetFont(); }
  void SetFont(HFONT font);  // not owned; must outlive the control
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  std::string EffectiveHint() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TCustomAlign CustomAlign() const { return customAlign_; }
  // Any value but caNone also makes the alignment custom.
  void SetCustomAlign(TCustomAlign align);

  bool DblBuffered() const { return dblBuffered_; }
  void SetDblBuffered(bool on) { dblBuffered_ = on; }
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

  // With an action, a click runs it instead of OnClick, and the control
  // follows the action's Enabled and Hint. An action destroyed first is simply
  // forgotten.
  TAction* Action() const { return actionAlive_.expired() ? nullptr : action_; }
  void SetAction(TAction* action);

  bool Focused() const { return hwnd() && ::GetFocus() == hwnd(); }
  void SetFocus() { if (hwnd()) ::SetFocus(hwnd()); }
  bool Hovered() const { return hover_; }

  Widget* ParentWidget() const;
  const std::vector<Widget*>& Children() const { return children_; }

  // Places the aligned children again (only those whose place changed move).
  void Realign();
  // Paints this control and its children into `dc` at the current origin:
  // screenshots and pixel checks without a screen.
  void PaintTree(HDC dc);
  // What a click does: the action, else OnClick.
  virtual void Click();
  // Lets callbacks find out whether the control survived them.
  std::weak_ptr<char> AliveToken() const { return alive_; }

  NotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;
  // The mouse was taken away while the left button was held here (another
  // window took the capture, WM_CANCELMODE, a switch to another program): no
  // release will come.
  NotifyEvent OnCaptureLost;
  MouseEvent OnMouseDown, OnMouseUp;
  MouseMoveEvent OnMouseMove;
  WheelEvent OnMouseWheel;
  KeyEvent OnKeyDown, OnKeyUp;
  // Colour drags. A control without the handler for a message passes that
  // message on to its parent window, so a picture on a panel does not swallow it.
  ColorDragEvent OnDragOver, OnEndDrag;

 protected:
  HWND hwnd() const { return Handle(); }
  // Logical to device pixels and back, at this control's factor.
  int Px(int logical) const { return logical * Scale(); }
  int Lg(int device) const;
  RECT LgRect(const RECT& device) const;
  virtual const wchar_t* ClassName() const { return L"KoloWidget"; }
  virtual DWORD ExtraStyle() const { return 0; }

  // Draws the whole client area (the base fills it with the colour).
  virtual void Paint(HDC dc, const IntRect& client);
  // Above 1x, Paint normally draws at the logical size and the picture is
  // enlarged. A control that shows text the user reads for its shape (font
  // samples) and draws nothing pixel by pixel can instead be drawn at the
  // screen's own size through a scaling mapping mode, so its text is sharp.
  virtual bool DrawsAtScreenSize() const { return false; }
  // Paints what the parent control shows under this one: see-through controls.
  void PaintParentBackground(HDC dc);
  // Area the aligned children share (panels leave out their borders).
  virtual IntRect AlignArea() const;
  // Called at the end of Create: properties that depend on the window (AutoSize) apply here.
  virtual void Created() {}
  void NameAfterHint(const std::string& oldHint);
  virtual void ChildAdded(Widget& child) {}
  virtual void ChildRemoved(Widget& child) {}
  virtual void Resized() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void FocusChanged() { Invalidate(); }

  virtual void MouseDown(MouseButton button, unsigned shift, int x, int y);
  virtual void MouseMove(unsigned shift, int x, int y);
  virtual void MouseUp(MouseButton button, unsigned shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool MouseWheel(int delta);  // true when handled
  virtual void CaptureLost();
  virtual void KeyDown(WORD key, unsigned shift);
  virtual void KeyUp(WORD key, unsigned shift);
  // Whether a left press and release inside makes a click (buttons decide themselves).
  virtual bool ClickOnRelease() const { return true; }
  bool LeftHeld() const { return leftHeld_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDestroyed() override;


 private:
  void PaintMessage();
  void HandleMouseMove(unsigned shift, int x, int y);
  void HandleButton(MouseButton button, bool down, bool dbl, unsigned shift, int x, int y);
  void HandleLeave();
  LRESULT HandleWheel(WPARAM wp, LPARAM lp);
  LRESULT HandleColorDrag(UINT msg, WPARAM wp, LPARAM lp);
  void AttachToParent();
  void DetachFromParent();
  void ParentRealign();
  void RefreshOwnHint();

  std::shared_ptr<char> alive_ = std::make_shared<char>(0);
  IntRect bounds_;
  TColor color_ = clSkyBlue;
  TColor fontColor_ = clFrame;
  bool parentColor_ = false;
  HFONT font_ = nullptr;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
  TAlign align_ = alNone;
  TCustomAlign customAlign_ = caNone;
  bool dblBuffered_ = true;
  HCURSOR cursor_ = nullptr;
  TAction* action_ = nullptr;
  std::weak_ptr<char> actionAlive_;
  int actionToken_ = 0;
  bool devicePixels_ = false;
  bool hover_ = false;
  bool leftHeld_ = false;
  bool realigning_ = false;
  Widget* parent_ = nullptr;
  std::vector<Widget*> children_;
};

// Colour conversions: a TColor is a COLORREF.
inline COLORREF ToColorRef(TColor c) { return static_cast<COLORREF>(c & 0xFFFFFF); }
inline RECT ToRect(const IntRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace kolo
