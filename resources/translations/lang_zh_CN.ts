<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="8"/>
        <source>关于Vellumo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="35"/>
        <source>&lt;h2&gt;Vellumo&lt;/h2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="41"/>
        <source>版本: 1.0.0.03</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="47"/>
        <source>高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="54"/>
        <source>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;访问官方网站&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="62"/>
        <source>© 2026 Orvantis. 保留所有权利。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="8"/>
        <source>批量图片处理工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="114"/>
        <source>Vellumo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="167"/>
        <source>添加图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="182"/>
        <source>输出目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="195"/>
        <source>基本处理选项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="199"/>
        <source>宽度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="211"/>
        <source>高度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="223"/>
        <source>保持宽高比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="229"/>
        <source>裁剪</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="234"/>
        <source>输出格式:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="240"/>
        <source>JPG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="243"/>
        <source>PNG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="246"/>
        <source>BMP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="249"/>
        <source>WEBP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="255"/>
        <source>质量:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="278"/>
        <source>开始处理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="290"/>
        <source>尺寸和角度预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="294"/>
        <source>宽高比:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="303"/>
        <source>标准尺寸:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="318"/>
        <source>垂直翻转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="323"/>
        <source>水平翻转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="328"/>
        <source>旋转角度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="343"/>
        <source>色彩调整</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="347"/>
        <source>对比度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="360"/>
        <location filename="../../mainwindow/mainwindow.ui" line="396"/>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="365"/>
        <source>饱和度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="378"/>
        <source>100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="383"/>
        <source>亮度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="404"/>
        <source>滤镜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="408"/>
        <source>滤镜:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="414"/>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="417"/>
        <source>模糊</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="420"/>
        <source>灰度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="423"/>
        <source>复古</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="426"/>
        <source>边缘检测</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="429"/>
        <source>浮雕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="432"/>
        <source>油画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="438"/>
        <source>强度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="453"/>
        <source>水印设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="457"/>
        <source>添加水印</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="464"/>
        <source>水印文字:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="474"/>
        <location filename="../../mainwindow/mainwindow.ui" line="546"/>
        <source>颜色:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="479"/>
        <location filename="../../mainwindow/mainwindow.ui" line="551"/>
        <location filename="../../mainwindow/mainwindow.cpp" line="174"/>
        <source>选择颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="484"/>
        <source>透明度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="497"/>
        <source>字体大小:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="509"/>
        <source>位置:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="523"/>
        <source>边框设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="527"/>
        <source>添加边框</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="534"/>
        <source>边框厚度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="567"/>
        <source>批量效果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="571"/>
        <source>自动增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="576"/>
        <source>通道提取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="585"/>
        <source>网格分割</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="590"/>
        <source>行数:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="602"/>
        <source>列数:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="620"/>
        <source>批量重命名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="625"/>
        <source>前缀:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="630"/>
        <source>image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="21"/>
        <source>简体中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="22"/>
        <source>繁體中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="23"/>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="55"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="74"/>
        <source>一键重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="56"/>
        <source>关于Vellumo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="75"/>
        <source>关于我们</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="99"/>
        <source>确认退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="99"/>
        <source>确定要退出Vellumo吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="17"/>
        <source>原始比例</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="18"/>
        <source>1:1 (正方形)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="19"/>
        <source>4:3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="20"/>
        <source>16:9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="21"/>
        <source>3:2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="25"/>
        <source>自定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="26"/>
        <source>640x480 (VGA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="27"/>
        <source>800x600 (SVGA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="28"/>
        <source>1024x768 (XGA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="29"/>
        <source>1280x720 (HD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="30"/>
        <source>1920x1080 (Full HD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="31"/>
        <source>1080x1080 (Instagram)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="32"/>
        <source>1200x1200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="37"/>
        <source>左上角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="38"/>
        <source>右上角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="39"/>
        <source>左下角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="40"/>
        <source>右下角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="41"/>
        <source>中心</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="45"/>
        <source>红色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="46"/>
        <source>绿色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="47"/>
        <source>蓝色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="48"/>
        <source>青色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="49"/>
        <source>洋红通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionlists.cpp" line="50"/>
        <source>黄色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="14"/>
        <source>确认重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="15"/>
        <source>确定要将应用程序重置为初始状态吗？所有设置都将被清除。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="84"/>
        <source>重置完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="84"/>
        <source>应用程序已重置为初始状态。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
