#pragma once
// Opening a project: the one place that turns a company code and fiscal year into the project
// state every screen reads.

// Opens the project of company kco in fiscal year nendo: the key (gProjectKey and the key
// texts of gMkigyou2), the company's name, calendar and age basis from the company index,
// its settings, the six marks and the role evaluations; gCorpOpen := 1. When the company has
// no settings row that year nothing changes and false is returned.
bool OpenProject(int kco, int nendo);

// Sets the project key alone (gProjectKey and the key texts of gMkigyou2), reading nothing:
// for work on a project's rows before or without opening it.
void SetProjectKey(int kco, int nendo);
