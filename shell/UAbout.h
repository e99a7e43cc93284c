#pragma once
// The About box: the program's name, icon, version and build.
#include "platform/Controls.h"

class TFormSelect;

class TAboutBox : public TForm {
public:
    explicit TAboutBox(const TFormSelect& main);

    TPanel Panel1;
    TImage ProgramIcon;
    TLabel ProductName, Version, LBuild;
    TButton OKButton;

protected:
    void BuildControls() override;
    void FormCreate() override;

private:
    const TFormSelect& main_;
};
