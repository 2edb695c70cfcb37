// The program: the application and its start form, which hands over to the main window.
#include "core/application.h"
#include "core/form4.h"
#include "platform/fonts.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    fonts::useStandIns();
    auto* form4 = new Form4;   // unloaded by its own timer when it hands over
    switch (form4->Form_Load()) {
    case Form4::StartResult::Ready:
        break;
    case Form4::StartResult::AlreadyRunning:
        delete form4;
        return 0;
    case Form4::StartResult::Failed:
        delete form4;
        return 1;
    }
    form4->show();
    return app.exec();
}
