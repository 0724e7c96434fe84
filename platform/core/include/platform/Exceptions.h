// The exception hierarchy of the class library: catching Exception& catches
// every one of them.
#pragma once

#include <exception>

#include "platform/AnsiString.h"

class Exception : public std::exception {
 public:
  explicit Exception(const AnsiString& msg) : Message(msg) {}
  Exception(const AnsiString& msg, int helpContext) : Message(msg), HelpContext(helpContext) {}
  ~Exception() override = default;

  const char* what() const noexcept override { return Message.c_str(); }

  AnsiString Message;
  int HelpContext = 0;
};

#define VN_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {             \
   public:                               \
    using Base::Base;                    \
  };

VN_DECLARE_EXCEPTION(EConvertError, Exception)
VN_DECLARE_EXCEPTION(EListError, Exception)
VN_DECLARE_EXCEPTION(EStringListError, Exception)
VN_DECLARE_EXCEPTION(EInvalidOperation, Exception)
VN_DECLARE_EXCEPTION(EAbort, Exception)
VN_DECLARE_EXCEPTION(EOutOfResources, Exception)

#undef VN_DECLARE_EXCEPTION
