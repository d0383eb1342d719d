#pragma once
// The about box: a drawing window showing the built-in card, whose six rows
// the host may replace before (or while) it is shown.
#include <QDialog>
#include <QString>

#include "platform/resources/about_script.h"

class KView;

class KAbout : public QDialog {
public:
  explicit KAbout(QWidget* parent = nullptr);

  void DataName(const QString& text) { Set(rows_.name, text); }
  void DataFunction(const QString& text) { Set(rows_.function, text); }
  void DataUser(const QString& text) { Set(rows_.user, text); }
  void DataOwner(const QString& text) { Set(rows_.owner, text); }
  void DataCopyRight(const QString& text) { Set(rows_.copyRight, text); }
  void DataWeb(const QString& text) { Set(rows_.web, text); }

  KView& View() { return *view_; }

private:
  void Set(std::string& row, const QString& text);
  // Reads the card anew into a fresh drawing.
  void Refill();

  KAboutRows rows_;
  KView* view_ = nullptr;
};
