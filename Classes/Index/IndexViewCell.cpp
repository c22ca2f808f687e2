#include "Classes/Index/IndexViewCell.h"

#include <cmath>

#include "platform/graphics/UIImage.h"

namespace {

struct SoundImages {
    const char* normal;
    const char* highlighted;
};

// By ChapterAudioStatus 0..3.
constexpr SoundImages kSoundImages[4] = {
    {"sound-dead.png", "sound-ready.png"},
    {"sound-ready.png", "sound-t.png"},
    {"sound-multi.png", "sound-multi-t.png"},
    {"sound-ready-plus.png", "sound-ready-plus-t.png"},
};

}  // namespace

int IndexViewCell::audioStatusFor(int surah) const {
    if (!delgate_) return 0;
    return (delgate_->isSurahAudioInstalled(surah) ? 1 : 0) + (delgate_->isSurahAudioInstalledForOthers(surah) ? 2 : 0);
}

void IndexViewCell::applySoundStatus(int status, int& shown) {
    if (!btnSoundIcon) {
        const double h = bounds().size.height;
        btnSoundIcon = std::make_shared<UIButton>(CGRectMake(0, std::trunc((h - 44) / 2), 44, 44));
        btnSoundIcon->setAdjustsImageWhenDisabled(false);
        btnSoundIcon->setAdjustsImageWhenHighlighted(false);
        addSubview(btnSoundIcon);
        btnSoundIcon->addTarget(this, [this](UIControl*, UIEvent*) { soundButtonPressed(); },
                                UIControlEventTouchUpInside);
    }
    if (status < 0 || status > 3) status = 0;
    if (status != shown) {
        btnSoundIcon->setImage(UIImage::imageNamed(kSoundImages[status].normal), UIControlStateNormal);
        btnSoundIcon->setImage(UIImage::imageNamed(kSoundImages[status].highlighted), UIControlStateHighlighted);
    }
    shown = status;
}
