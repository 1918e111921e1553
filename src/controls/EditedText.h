#pragma once

#include <QString>

// The text to store after an edit in a memo. A memo shows a stored text as paragraphs: each line
// break ("\r\n", "\r", "\n" or a paragraph separator) becomes one paragraph separator, and the memo's
// raw text keeps every other character as it is. `shown` is the raw text as loaded from `stored`,
// `edited` the raw text now. The stored text keeps every character outside the changed stretch;
// paragraphs made by the edit end with the stored text's line break ("\r\n" where it has one).
QString EditedText(const QString& stored, const QString& shown, const QString& edited);
