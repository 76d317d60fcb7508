#pragma once
// How the core tells the user something: the windows show each message in a modal box,
// tests record them. The core never waits for the user; a message is shown after the
// call that raised it has returned.
#include <string>

namespace rizazovoz {

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void showMessage(const std::string& text) = 0;
};

}  // namespace rizazovoz
