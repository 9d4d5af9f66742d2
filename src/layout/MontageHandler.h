#pragma once

#include "records/DatabaseRecord.h"

class Montage;

// A handler of the record store's dispatcher that acts on layouts (see Montage::Dispatch).
class MontageHandler : public DatabaseRecord::Handler {
 public:
  // True when the handler dealt with the layout.
  virtual bool HandleMontage(Montage& layout) = 0;
};
