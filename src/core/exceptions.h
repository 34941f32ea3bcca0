#pragma once
// The class library's exception hierarchy. Every message is UTF-16; what() gives UTF-8.
#include <exception>
#include <string>

#include "core/core_res_strings.h"
#include "core/ustring.h"

class Exception : public std::exception {
 public:
  explicit Exception(String Message);
  const String& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  String FMessage;
  std::string FUtf8;
};

#define LC_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {             \
   public:                               \
    using Base::Base;                    \
  }

LC_DECLARE_EXCEPTION(EListError, Exception);
LC_DECLARE_EXCEPTION(EStringListError, EListError);
LC_DECLARE_EXCEPTION(EConvertError, Exception);
LC_DECLARE_EXCEPTION(EInvalidCast, Exception);
LC_DECLARE_EXCEPTION(EInvalidOperation, Exception);
LC_DECLARE_EXCEPTION(EOSError, Exception);
LC_DECLARE_EXCEPTION(EStreamError, Exception);
LC_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
LC_DECLARE_EXCEPTION(EFOpenError, EFileStreamError);
LC_DECLARE_EXCEPTION(EFCreateError, EFileStreamError);
LC_DECLARE_EXCEPTION(EFilerError, EStreamError);
LC_DECLARE_EXCEPTION(EReadError, EFilerError);
LC_DECLARE_EXCEPTION(EWriteError, EFilerError);
LC_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
LC_DECLARE_EXCEPTION(EPropertyError, Exception);

#undef LC_DECLARE_EXCEPTION
