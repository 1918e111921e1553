#pragma once

#include <QWidget>

// Data-bound control; its binding is named by the dynamic properties dataSource and dataField.
class TDBText : public QWidget
{
    Q_OBJECT

public:
    explicit TDBText(QWidget* parent = nullptr);
};
