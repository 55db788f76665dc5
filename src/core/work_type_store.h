#pragma once
// The statements of the work types of the open project (SALARYNAME, ids 1..4): the list, one
// work type, saving and deleting.

#include "records.h"

#include <QStringList>

// "id : name" of every work type, by id.
QStringList WorkTypeItems();
// The work type `id`; false (and an empty record) when it has none.
bool ReadWorkType(int id, TSALARYTBL &workType);
// Replaces the stored work type `id` (delete, then insert, as one save); false when nothing
// was kept.
bool SaveWorkType(int id, const TSALARYTBL &workType);
bool DeleteWorkType(int id);
