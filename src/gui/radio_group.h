// A captioned group of radio buttons, one per entry; the entry index is the choice.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace tallivan::gui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit RadioGroup(const QString& title, QWidget* parent = nullptr);

    QStringList items() const;
    // New buttons join the tab order at its end: set the items before the widgets that follow
    // the group are made.
    void setItems(const QStringList& items);
    int currentIndex() const;
    // -1 clears the choice.
    void setCurrentIndex(int index);

  Q_SIGNALS:
    // A person chose entry `index`.
    void activated(int index);

  private:
    QButtonGroup* buttons_;
};

}  // namespace tallivan::gui
