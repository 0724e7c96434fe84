// The module's program entry: the catalogue's option lists, the main window
// and the second form, then the message loop.
#include "app/MainUnit.h"
#include "app/Unit1.h"
#include "app/mibdefs/MibOptionLists.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Forms.h"

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  InitMibOptionLists();
  try {
    Application->Initialize();
    Application->SetTitle("KXR-5800-10");
    Application->CreateForm(MainForm);
    Application->CreateForm(Form1);
    Application->Run();
  } catch (Exception& e) {
    Application->ShowException(&e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    Application->ShowException(&wrapped);
  }
  // The windows and their requests go before the option lists they use.
  Application->Finalize();
  FreeMibOptionLists();
  return 0;
}
