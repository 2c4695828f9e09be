// The program's keyboard command table: every command a user may put on a key, its readable
// name (the first word is its category in the key editor) and its default keys, registered row
// by row into the command map at start-up.
#pragma once

namespace zem::keys {

class CAcceleratorManager;

// Registers every row in the table's order; rows the map refuses are skipped.
void RegisterCommandTable(CAcceleratorManager& map);

} // namespace zem::keys
