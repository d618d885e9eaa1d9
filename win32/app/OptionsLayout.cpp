#include "OptionsLayout.h"

namespace meltemix {
namespace {

using C = OptionsControl;
using K = ControlKind;
using F = TypeFace;

constexpr int GroupBoxId = 900;

int Id(C control) { return ControlId(control); }

// Positions inside a group box (or the panel within one) become page positions here, so
// the table reads as the dialog was drawn.
struct Origin {
    int x, y;
};

ControlLayout At(int page, Origin origin, C control, K kind, const wchar_t* caption, int x, int y,
               int width, int height, F face = F::Normal, const wchar_t* hint = nullptr) {
    return {page, Id(control), kind, caption, origin.x + x, origin.y + y, width, height, face,
            hint};
}

ControlLayout Group(int page, int number, const wchar_t* caption, Origin at, int width,
                  int height) {
    return {page, GroupBoxId + number, K::Group, caption, at.x, at.y, width, height, F::Normal,
            nullptr};
}

std::vector<ControlLayout> Build() {
    std::vector<ControlLayout> all;

    // "Genel"
    const Origin g1 = {8, 7};
    all.push_back(Group(0, 1, L" Program seçenekleri ", g1, 409, 258));
    all.push_back(At(0, g1, C::CheckBox1, K::CheckBox,
                     L"&Windows her açıldığında Meltemix! otomatik olarak başlasın", 16, 20, 385,
                     17));
    all.push_back(At(0, g1, C::CheckBox18, K::CheckBox,
                     L"&Masaüstünde programın bir kısayolunu oluştur", 16, 44, 385, 17));
    all.push_back(At(0, g1, C::CheckBox19, K::CheckBox,
                     L"Hızlı &Başlat bölümünde programın bir kısayolunu oluştur", 16, 68, 385, 17));
    all.push_back(At(0, g1, C::CheckBox3, K::CheckBox,
                     L"&Program simgesini görev çubuğunda göster", 16, 92, 385, 17));
    all.push_back(At(0, g1, C::CheckBox2, K::CheckBox,
                     L"&Hava durumu bilgilerini belirli aralıklarla güncelle", 16, 116, 385, 17));
    all.push_back(At(0, g1, C::Label3, K::Label, L"&Güncelleme periyodu: ", 32, 143, 122, 13));
    all.push_back(At(0, g1, C::ComboBox3, K::Combo, nullptr, 156, 139, 90, 160));
    all.push_back(At(0, g1, C::CheckBox4, K::CheckBox, L"P&encereyi daima en üstte tut", 16,
                     168, 385, 17));
    all.push_back(At(0, g1, C::CheckBox17, K::CheckBox,
                     L"\"&Solma\" efektininin oluşturulmasına izin ver (Fade effect)", 16, 192,
                     385, 17));
    all.push_back(At(0, g1, C::CheckBox16, K::CheckBox,
                     L"Mel&temix! 'nın yeni sürümü çıktığında bana haber ver", 16, 216, 385, 17));

    // "Görünüm"
    const Origin g3 = {8, 8};
    all.push_back(Group(1, 3, L" Arka plan ve Donukluk ", g3, 409, 145));
    all.push_back(At(1, g3, C::Label5, K::Label, L"&Arka plan resmi:", 16, 20, 185, 13));
    all.push_back(At(1, g3, C::ComboBox2, K::Combo, nullptr, 16, 36, 185, 160));
    const Origin panel = {g3.x + 16, g3.y + 66};
    all.push_back(At(1, panel, C::Label1, K::Label, L"&Renk:", 0, 6, 56, 13));
    all.push_back(At(1, panel, C::Bevel1, K::Bevel, nullptr, 60, 0, 34, 27));
    all.push_back(At(1, panel, C::Shape1, K::Swatch, nullptr, 62, 2, 30, 23));
    all.push_back(At(1, panel, C::CheckBox5, K::CheckBox, L"&Cam efekti kullan", 112, 5, 200, 17));
    all.push_back(At(1, panel, C::Label2, K::Label, L"&Saydamlık:", 0, 40, 56, 13));
    all.push_back(At(1, panel, C::Edit1, K::Edit, nullptr, 60, 36, 52, 21));
    all.push_back(At(1, panel, C::UpDown1, K::UpDown, nullptr, 112, 36, 17, 21));
    all.push_back(At(1, panel, C::Label6, K::Label, L"[0-255]", 118, 41, 60, 12, F::Small));

    const Origin g4 = {8, 160};
    all.push_back(Group(1, 4, L" Bilgi Ekranı ", g4, 409, 145));
    all.push_back(At(1, g4, C::CheckBox20, K::CheckBox, L"&Bilgi ekranında şunları göster", 16,
                     20, 385, 17));
    struct Line {
        C box;
        const wchar_t* caption;
    };
    const Line left[] = {{C::CheckBox15, L"Hava &Durumu"},
                         {C::CheckBox6, L"&IP adresim"},
                         {C::CheckBox7, L"&Gündoğumu / Günbatımı"},
                         {C::CheckBox8, L"&Enlem ve Boylam"},
                         {C::CheckBox9, L"&Tarih"}};
    const Line right[] = {{C::CheckBox10, L"&Hicri tarih"},
                          {C::CheckBox11, L"Rü&zgar"},
                          {C::CheckBox12, L"Görüş &mesafesi"},
                          {C::CheckBox13, L"&Nem oranı"},
                          {C::CheckBox14, L"Hissedilen sıca&klık"}};
    for (int row = 0; row < 5; ++row)
        all.push_back(At(1, g4, left[row].box, K::CheckBox, left[row].caption, 32,
                         44 + 18 * row, 170, 17));
    for (int row = 0; row < 5; ++row)
        all.push_back(At(1, g4, right[row].box, K::CheckBox, right[row].caption, 216,
                         44 + 18 * row, 170, 17));

    // "Şehirler"
    const Origin g5 = {8, 8};
    const wchar_t* addHint = L"Favorilerime ekle...";
    all.push_back(Group(2, 5, L" Yer belirleme ", g5, 409, 385));
    all.push_back(At(2, g5, C::RadioButton1, K::Radio,
                     L"&Türkiye içinde bir yerleşim biriminin hava durumunu öğrenmek istiyorum.",
                     16, 24, 377, 17));
    all.push_back(At(2, g5, C::Label4, K::Label, L"&Bir şehir seçiniz.", 32, 48, 200, 13));
    all.push_back(At(2, g5, C::ComboBox1, K::Combo, nullptr, 32, 65, 201, 300));
    all.push_back(At(2, g5, C::Button3, K::Button, L"+", 240, 64, 23, 23, F::Normal, addHint));
    all.push_back(At(2, g5, C::RadioButton2, K::Radio,
                     L"&Dünya genelinde kapsamlı bir arama yapmak istiyorum.", 16, 96, 369, 17));
    all.push_back(At(2, g5, C::Label8, K::Label, L"Ş&ehir adı veya Posta kodu:", 32, 120, 134, 13));
    all.push_back(At(2, g5, C::Label12, K::Label,
                     L"(Sadece Ingilizce karakterler kullanabilirsiniz)", 168, 121, 232, 12,
                     F::Small));
    all.push_back(At(2, g5, C::Edit2, K::Edit, nullptr, 32, 136, 201, 21));
    all.push_back(At(2, g5, C::Button5, K::Button, L"&Araştır", 240, 135, 73, 23));
    all.push_back(At(2, g5, C::Label9, K::Label, L"A&rama sonuçları:", 32, 160, 86, 13));
    all.push_back(At(2, g5, C::Label10, K::Label, L"", 120, 160, 200, 13, F::Bold));
    all.push_back(At(2, g5, C::ListBox1, K::List, nullptr, 32, 176, 249, 89));
    all.push_back(At(2, g5, C::Button4, K::Button, L"+", 288, 176, 23, 23, F::Normal, addHint));
    all.push_back(At(2, g5, C::RadioButton3, K::Radio,
                     L"&Favori şehirlerim listesinden birini seçmek istiyorum.", 16, 272, 377,
                     17));
    all.push_back(At(2, g5, C::ListBox2, K::List, nullptr, 32, 296, 249, 73));
    all.push_back(At(2, g5, C::Button6, K::Button, L"&Sil", 288, 296, 75, 25));
    all.push_back(At(2, g5, C::Button7, K::Button, L"Tümünü Sil", 288, 328, 75, 25));
    return all;
}

} // namespace

const std::vector<ControlLayout>& OptionsControls() {
    static const std::vector<ControlLayout> all = Build();
    return all;
}

RECT ScaleRect(const Dpi& dpi, const RECT& logical) {
    const int left = dpi.Scale(logical.left);
    const int top = dpi.Scale(logical.top);
    return {left, top, left + dpi.Scale(logical.right - logical.left),
            top + dpi.Scale(logical.bottom - logical.top)};
}

RECT ScaleRect(const Dpi& dpi, const ControlLayout& control) {
    return ScaleRect(dpi, {control.x, control.y, control.x + control.width,
                           control.y + control.height});
}

int ControlId(OptionsControl control) {
    if (control == C::Button1)
        return IDOK;
    if (control == C::Button2)
        return IDCANCEL;
    return 1000 + static_cast<int>(control);
}

bool ControlOfId(int id, OptionsControl& control) {
    if (id == IDOK) {
        control = C::Button1;
        return true;
    }
    if (id == IDCANCEL) {
        control = C::Button2;
        return true;
    }
    if (id < 1000 || id >= 1000 + OptionsControlCount)
        return false;
    control = static_cast<OptionsControl>(id - 1000);
    return true;
}

int RadioMode(OptionsControl control) {
    switch (control) {
    case C::RadioButton1:
        return 0;
    case C::RadioButton2:
        return 1;
    case C::RadioButton3:
        return 2;
    default:
        return -1;
    }
}

} // namespace meltemix
