#pragma once
// The About box: the program's name, icon, version and build.
#include "platform/Controls.h"
#include "platform/Form.h"

#include <string>

class TAboutBox : public TForm {
public:
    TAboutBox(std::string versionText, std::string buildText);

    TPanel Panel1;
    TImage ProgramIcon;
    TLabel ProductName, Version, LBuild;
    TButton OKButton;

protected:
    void BuildControls() override;
    void FormCreate() override;

private:
    std::string versionText_, buildText_;
};
