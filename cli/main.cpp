#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "Usage: vellumo-batch [options] -o DIR FILE...\n";
    return 0;
}
