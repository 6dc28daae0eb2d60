#pragma once

// Times one accepted score's journal record written and flushed to the disk, the median and the
// worst of many, and the resuming of the journal of a show of 32767 judges, and prints both.
// False when a score takes a frame (16 ms) or more, or resuming a second or more.
bool ReportJournalTimes();
