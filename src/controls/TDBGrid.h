#pragma once

#include <QAbstractScrollArea>

// Data-bound control; its binding is named by the dynamic properties dataSource and dataField.
class TDBGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget* parent = nullptr);
};
