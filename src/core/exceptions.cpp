#include "core/exceptions.h"

Exception::Exception(String Message) : FMessage(std::move(Message)), FUtf8(ToUtf8(FMessage)) {}
