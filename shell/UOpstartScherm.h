#pragma once
// The splash screen: the logo and the program's version while the main window loads.
#include "platform/Controls.h"
#include "platform/Form.h"

#include <string>

class TFormOpstartScherm : public TForm {
public:
    // exeName: the executable whose version resource gives the version.
    explicit TFormOpstartScherm(std::string exeName);

    std::string VersionText;
    std::string BuildText;

    TPanel PBorder_Out, PBevel, PBorder_In, Panel4;
    TImage Image1;
    TLabel LStatus, LVersion;

protected:
    void BuildControls() override;
    void FormCreate() override;

private:
    std::string exeName_;
};
