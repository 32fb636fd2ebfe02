// The banner label at the top of a form: a framed, shaded caption. Refresh() redraws it at
// once; forms call it when they become active or after a pick changes what they show.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace plat::widgets {

class BannerLabel : public QWidget {
    Q_OBJECT
public:
    explicit BannerLabel(const QString& caption = {}, QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    void Refresh();
    int refreshCount() const { return refreshCount_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    int refreshCount_ = 0;
    QPixmap cache_;
    QString cachedCaption_;
};

} // namespace plat::widgets
