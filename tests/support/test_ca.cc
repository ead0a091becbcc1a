#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/support/file_bytes.h"
#include "tests/support/test_server.h"

namespace test {
namespace {

constexpr const char* kConfig = R"([req]
distinguished_name = dn
prompt = no
[dn]
CN = throw-away
[ca_ext]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
[leaf_ext]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = serverAuth
authorityKeyIdentifier = keyid
subjectKeyIdentifier = hash
subjectAltName = )";

}  // namespace

std::unique_ptr<TestCa> TestCa::Create(std::string* error,
                                       std::string_view subject_alt_names) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  std::string pattern =
      (std::filesystem::temp_directory_path() / "test_ca_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    *error = "cannot make a temporary folder";
    return nullptr;
  }
  std::unique_ptr<TestCa> ca(new TestCa());
  ca->dir_ = pattern;
  ca->ca_ = pattern + "/ca.pem";
  ca->cert_ = pattern + "/server.pem";
  ca->key_ = pattern + "/server.key";
  {
    std::ofstream config(pattern + "/openssl.cnf");
    config << kConfig << subject_alt_names << "\n";
  }
  std::random_device random;
  std::string serial = std::to_string(random() % 1000000000 + 1);
  // EC keys keep the set-up well under a second.
  std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
  std::string command =
      "cd '" + pattern + "' && { " +
      "openssl req -x509 -config openssl.cnf -extensions ca_ext" + key +
      " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Throw-away test CA'" +
      " && openssl req -new -config openssl.cnf" + key +
      " -keyout server.key -out server.csr -subj '/CN=127.0.0.1'" +
      " && openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key" +
      " -set_serial " + serial +
      " -days 2 -extfile openssl.cnf -extensions leaf_ext -out server.pem; }" +
      " >openssl.log 2>&1";
  int status = std::system(command.c_str());
  if (status != 0 || !std::filesystem::exists(ca->cert_)) {
    *error = "openssl failed: " + ReadBytes(pattern + "/openssl.log");
    return nullptr;  // the destructor removes the folder
  }
  return ca;
}

TestCa::~TestCa() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

}  // namespace test
