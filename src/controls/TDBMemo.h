#pragma once

#include <QPlainTextEdit>

// Data-bound control; its binding is named by the dynamic properties dataSource and dataField.
class TDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget* parent = nullptr);
};
