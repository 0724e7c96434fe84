// The user's input (pointer and keys) waits while an InputHold lives: the
// passes over pending events made meanwhile (Application->ProcessMessages,
// a walk's pump after each row) run timers, sockets, paints and posted
// messages, and leave the input queued, in order, for the loop's next turn
// once the last hold has gone. So a click taken while an SNMP completion
// runs, or between two rows of a walk, acts only after the completion or the
// walk has returned to the loop: a dialog it opens never stands inside the
// completion, where no further reply could be taken while it is open.
//
// A modal loop (a dialog, a message box) takes input again while it runs,
// so that a dialog opened inside a hold can be answered:
//
//   void _SnmpEventProcessor::OnTimer(TObject*) {
//     const InputHold held;  // clicks wait until the completions have run
//     SNMPProcessPendingEvents();
//   }
//   void TApplication::RunModalLoop(TCustomForm* f) {
//     const ModalInput modal;  // the form answers to the user's keys
//     ...
//   }
//
// Without windows (no application object) there is no input to hold; the
// types only count.
#pragma once

class InputHold {
 public:
  InputHold();
  ~InputHold();
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

  // Some hold lives and no modal loop opened since takes input again.
  static bool Active();
};

// The user's input is taken while it lives, whatever holds are alive; the
// holds apply again when it goes.
class ModalInput {
 public:
  ModalInput();
  ~ModalInput();
  ModalInput(const ModalInput&) = delete;
  ModalInput& operator=(const ModalInput&) = delete;

 private:
  int held_;  // the holds alive when it was made
};
