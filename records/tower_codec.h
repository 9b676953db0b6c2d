#pragma once

#include <optional>

#include "records/tag_reader.h"
#include "records/tag_writer.h"
#include "records/tower.h"

// A tower's record in the compiled data file: k id, l place, c county, s dedication, b bells,
// w weight, n note, f flags (groundFloor + 2 unringable + 4 approxWeight), x, y, o postcode,
// p practice night, t practice time, h web page; each left out when 0 or empty.
void writeTower(const Tower& tower, TagWriter& writer);

// None when the next item is not a k item (that item stays consumed). A record runs until the
// next k item or the end marker, which is left unread for the caller.
std::optional<Tower> readTower(TagReader& reader);
