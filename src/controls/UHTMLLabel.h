#pragma once
// THTMLLabel: a window-less label showing a markup text, painted with
// DessineHTML one pixel in from its left and top edges. It paints no
// background: the parent's surface shows under the text. With AutoSize on,
// each paint sets the height to the bottom of the text (one paint more after
// a change, which finds the height right).

#include <string>

#include "controls/GraphicControl.h"

class HTMLItems;

class THTMLLabel : public GraphicControl {
public:
  const std::string& Caption() const { return caption_; }
  // Nothing happens when Value is the current caption. Otherwise the caption
  // becomes Value, a label narrower than 50 pixels becomes 50 wide, and a
  // repaint is requested.
  virtual void SetCaption(const std::string& Value);

  // Lays the caption out again; a conversion error from the markup leaves it
  // with the height unchanged.
  void Paint(Canvas& canvas) override;

  // What draws the pictures and form fields of the caption (not owned; it
  // must outlive the label). None at creation: those tags then draw nothing.
  void SetElements(HTMLItems* items) { elements_ = items; }
  HTMLItems* Elements() const { return elements_; }

protected:
  // Static text named by what its painting draws as text, line by line
  // ("\r\n" after each), read from a drawing on the parent's measuring
  // canvas; a caption that draws no text, or a label without a parent,
  // says nothing. The text is kept until the caption, width, font or items
  // change: a screen reader asks for it property by property.
  AccessibleDescription DescribeSelf() const override;

private:
  std::string caption_;
  HTMLItems* elements_ = nullptr;
  struct Lu {
    std::string Caption;
    int Largeur = -1;
    Font Police;
    const HTMLItems* Elements = nullptr;
    std::string Texte;
  };
  mutable Lu lu_;
};
