#pragma once
// The full-screen preview window: created hidden at start-up, shown from the preview pane.
#include "platform/Controls.h"

class TFormSelect;

class TFormPreview : public TForm {
public:
    explicit TFormPreview(TFormSelect& main);

    TImage ImgPreview;

protected:
    void BuildControls() override;

private:
    TFormSelect& main_;
};
