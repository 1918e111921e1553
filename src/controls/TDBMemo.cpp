#include "TDBMemo.h"

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent) {}
