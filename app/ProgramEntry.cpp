#include "app/ProgramEntry.h"

#include <exception>

#include "app/MainUnit.h"
#include "app/Unit1.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"

int RunModule() {
  try {
    Application->Initialize();
    Application->SetTitle("KXR-5800-10");
    Application->CreateForm(MainForm);
    Application->CreateForm(Form1);
    // Start-up asks the application to end before the loop runs when it
    // cannot go on ("No parameter input").
    const bool startupEnded = Application->Terminated();
    Application->Run();
    return startupEnded ? kStartupFailedStatus : 0;
  } catch (Exception& e) {
    Application->ShowException(&e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    Application->ShowException(&wrapped);
  }
  return kStartupFailedStatus;
}
