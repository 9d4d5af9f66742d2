#pragma once

#include <cstdint>
#include <string>

// A photographed person of a photo event. The companion product keeps much more about a
// subject; this program only ever looks one up by id, and the preview's subjects have none.
struct Subject {
  std::int32_t Id = -1;
  std::string FirstName;
  std::string LastName;
};
