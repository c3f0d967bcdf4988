// State of the transfers and imports that other subsystems read.
#pragma once

namespace transfer {

struct State {
  // The point number under which the next received, read or digitised point
  // is stored.
  double RegistrationNumber = 0;
};

}  // namespace transfer
