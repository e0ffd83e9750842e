// Contracts of the host suite's services that the tools call. Our own
// implementations live under platform/; tools only see these interfaces.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "qdr2_gomiat/array.h"

namespace qdr2_Gomiat {

// Application / section / key / value texts that persist between runs.
// Window places are built on it (frame/window_place.h).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual void SaveSetting(const std::string& app, const std::string& section,
                           const std::string& key,
                           const std::string& value) = 0;
  // The stored value, or `def` when none is stored; never fails for a
  // missing value.
  virtual std::string GetSetting(const std::string& app,
                                 const std::string& section,
                                 const std::string& key,
                                 const std::string& def) = 0;
  // Several keys of one section written together (a window's place): a
  // store that can, writes all or none. This one writes them in turn.
  virtual void SaveSettings(
      const std::string& app, const std::string& section,
      const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [key, value] : values)
      SaveSetting(app, section, key, value);
  }
  // Runs `work` as one transaction of the store: what it reads cannot be
  // changed by another process before its writes land, and a crash keeps
  // either all of its writes or none. `work` goes through the store it is
  // given. A store without transactions simply runs it.
  virtual void Transaction(const std::function<void(SettingsStore&)>& work) {
    work(*this);
  }
};

// Number texts: word splitting of code fields and number <-> text.
class NumberTextService {
 public:
  virtual ~NumberTextService() = default;
  // Words at 1..count; `words` is re-dimensioned 0..count.
  virtual void DivideEnPalabras(const std::string& text, int32_t& count,
                                Array<std::string>& words) = 0;
  // 0 or less when the text holds no positive number.
  virtual double TextoANumero(const std::string& text) = 0;
  // Same number as TextoANumero, without a copy of the text: for hot loops
  // over large tables.
  virtual double ReadNumber(std::string_view text) {
    return TextoANumero(std::string(text));
  }
  virtual std::string NumeroATexto(double value, int32_t decimals,
                                   int32_t reserved) = 0;
  // Same words as DivideEnPalabras, as views into `text`, without copies:
  // for hot loops over large surveys.
  virtual void SplitWords(std::string_view text,
                          std::vector<std::string_view>& words) = 0;
};

// The host's numbered palette (256-entry indexed CAD palette) and RGB values
// with red in the low byte (0x00BBGGRR).
class ColourService {
 public:
  virtual ~ColourService() = default;
  virtual int32_t ColorValue(int16_t number) = 0;
  virtual int16_t ColorNumber(int32_t value) = 0;
};

// Sorts a text array in place between two positions into a fixed order.
class SortService {
 public:
  virtual ~SortService() = default;
  virtual void Sort(Array<std::string>& items, int32_t first, int32_t last) = 0;
};

class FileService {
 public:
  virtual ~FileService() = default;
  virtual bool Exists(const std::string& path) = 0;
};

// Local date and time; tests put in a fixed one.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm Now() = 0;
};

}  // namespace qdr2_Gomiat
