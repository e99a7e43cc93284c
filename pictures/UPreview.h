#pragma once
// The full-screen preview window: created hidden at start-up, shown from the preview pane.
#include "platform/Controls.h"

class TFormSelect;

class TFormPreview : public TForm {
public:
    explicit TFormPreview(TFormSelect& main);

    TImage ImgPreview;

    // Back to the main window; in the wallpaper category the chosen style goes to the selected
    // wallpaper entries first.
    void Returntomain1Click();

protected:
    void BuildControls() override;

private:
    TFormSelect& main_;
};
